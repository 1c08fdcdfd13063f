// Simulated modules plugged one after the other, as an operator would: a
// module quiet for a moment after its exchanges is unplugged, and the next
// plugged a moment later, looked at on the event loop's turns.
#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>

namespace sim { class Module; }

class ModuleQueue : public QObject
{
public:
    // The first module is plugged at once; `prepare` sees each one plugged.
    // A module quiet for `quietMs` after its last frame is pulled.
    static constexpr qint64 kQuietMs = 1500;
    ModuleQueue(const QList<std::uint16_t> &productIds, std::function<void(sim::Module &)> prepare,
                QObject *parent = nullptr, qint64 quietMs = kQuietMs);
    // Plugged so far, the one on the bus included.
    int pluggedCount() const { return plugs; }

private:
    void look();
    void plugNext();

    QList<std::uint16_t> queue;
    std::function<void(sim::Module &)> prepare;
    sim::Module *current = nullptr;
    std::size_t framesSeen = 0;
    int plugs = 0;
    qint64 quietMs;
    QElapsedTimer quiet;
    QTimer timer;
};
