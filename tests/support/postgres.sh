#!/usr/bin/env bash
# A throwaway PostgreSQL server for the tests, in a folder of their own, on
# a Unix socket there (no TCP port); its one user is orlo, password orlo-test.
#     postgres.sh start DIR       makes it once, starts it, prints its URL
#     postgres.sh database DIR    makes a new database, prints its URL
#     postgres.sh stop DIR
# PostgreSQL refuses to run as root: the server then runs as nobody.
set -euo pipefail
dir=${2:?usage: postgres.sh start|database|stop DIR}
bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
[ -x "$bin/pg_ctl" ] || { echo "postgres.sh: no PostgreSQL server (scripts/setup installs it)" >&2; exit 1; }
as=()
[ "$(id -u)" -ne 0 ] || as=(runuser -u nobody --)
case $1 in
start)
    if [ ! -d "$dir/data" ]; then
        mkdir -p "$dir" && echo orlo-test >"$dir/password"
        [ ${#as[@]} -eq 0 ] || chown -R nobody "$dir"
        "${as[@]}" "$bin/initdb" -D "$dir/data" -U orlo --pwfile="$dir/password" --auth=scram-sha-256 -E UTF8 \
            --no-locale >"$dir/initdb.log" 2>&1 || { cat "$dir/initdb.log" >&2; exit 1; }
    fi
    # No fsync: what a test writes needs not outlive a power cut.
    "${as[@]}" "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -s \
        -o "-k $dir -c listen_addresses= -c fsync=off" start || { cat "$dir/server.log" >&2; exit 1; }
    echo "postgresql://orlo@/postgres?host=$dir" ;;
database)
    name=history_$(date +%s%N)
    PGPASSWORD=orlo-test "$bin/createdb" -h "$dir" -U orlo "$name"
    echo "postgresql://orlo@/$name?host=$dir" ;;
stop) "${as[@]}" "$bin/pg_ctl" -D "$dir/data" -w -s -m fast stop ;;
*) echo "usage: postgres.sh start|database|stop DIR" >&2; exit 2 ;;
esac
