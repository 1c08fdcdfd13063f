#!/usr/bin/env bash
# A throwaway PostgreSQL server for the tests, in a folder of their own:
#     postgres.sh start DIR    makes the server in DIR once, starts it on a
#                              Unix socket there (no TCP port), prints its URL
#     postgres.sh stop DIR
# Its one user is "orlo", password "orlo-test". PostgreSQL refuses to run as
# root: when the tests do, the server runs as the unprivileged user nobody.
set -euo pipefail
action=${1:-}
dir=${2:-}
[ -n "$dir" ] || { echo "usage: postgres.sh start|stop DIR" >&2; exit 2; }
bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
if [ ! -x "$bin/pg_ctl" ]; then
    echo "postgres.sh: PostgreSQL's server is not installed (scripts/setup installs it)" >&2
    exit 1
fi
as=()
[ "$(id -u)" -ne 0 ] || as=(runuser -u nobody --)

case $action in
start)
    if [ ! -d "$dir/data" ]; then
        mkdir -p "$dir"
        printf 'orlo-test\n' >"$dir/password"
        [ ${#as[@]} -eq 0 ] || chown -R nobody "$dir"
        if ! "${as[@]}" "$bin/initdb" -D "$dir/data" -U orlo --pwfile="$dir/password" --auth=scram-sha-256 \
            -E UTF8 --no-locale >"$dir/initdb.log" 2>&1; then
            cat "$dir/initdb.log" >&2
            exit 1
        fi
    fi
    # No fsync: what a test writes needs not outlive a power cut.
    if ! "${as[@]}" "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -s \
        -o "-k $dir -c listen_addresses= -c fsync=off -c max_connections=40" start; then
        cat "$dir/server.log" >&2
        exit 1
    fi
    echo "postgresql://orlo@/postgres?host=$dir"
    ;;
stop)
    "${as[@]}" "$bin/pg_ctl" -D "$dir/data" -w -s -m fast stop
    ;;
*)
    echo "usage: postgres.sh start|stop DIR" >&2
    exit 2
    ;;
esac
