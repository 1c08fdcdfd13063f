// Connect-by-name takes the first child that matches and says nothing when
// none does: every on_<object>_<signal> slot must find exactly one object
// with that signal, and object names must be unique.
#include "pages/pagefamily.h"
#include "support/fixture.h"
#include "widgets/wdlora.h"
#include "widgets/wdradio.h"
#include "widgets/wmorlorpt.h"
#include "widgets/wmorlorslw.h"

#include <QMetaMethod>
#include <QSet>
#include <QTabBar>

using namespace testing;

namespace {

// Slots connected by name that find no object, or more than one.
QStringList brokenSlots(const QObject &root, const QMetaObject &meta)
{
    const QList<QObject *> children = root.findChildren<QObject *>();
    QStringList broken;
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
        const QMetaMethod slot = meta.method(i);
        const QByteArray name = slot.name();
        if (slot.methodType() != QMetaMethod::Slot || !name.startsWith("on_"))
            continue;
        int matches = 0;
        for (const QObject *object : children) {
            const QByteArray prefix = "on_" + object->objectName().toLatin1() + '_';
            if (object->objectName().isEmpty() || !name.startsWith(prefix))
                continue;
            const QByteArray signalName = name.mid(prefix.size());
            const QMetaObject *om = object->metaObject();
            for (int s = 0; s < om->methodCount(); ++s) {
                const QMetaMethod signal = om->method(s);
                if (signal.methodType() == QMetaMethod::Signal && signal.name() == signalName
                    && QMetaObject::checkConnectArgs(signal, slot)) {
                    ++matches;
                    break;
                }
            }
        }
        if (matches != 1)
            broken << QStringLiteral("%1 (%2 matches)").arg(QString::fromLatin1(slot.methodSignature())).arg(matches);
    }
    return broken;
}

// Where a name must be unique: inside one of our widget classes (the radio
// widgets, the repeater and LoRaWAN pages) names come from that class's own
// form and connect-by-name of that widget; elsewhere from the window's.
const QObject *namingScope(const QWidget *w, const QObject &root)
{
    for (const QObject *a = w->parent(); a && a != &root; a = a->parent())
        if (a->inherits("Wdradio") || a->inherits("Wdlora") || a->inherits("WmOrloRpt")
            || a->inherits("WmOrloRsLw"))
            return a;
    return &root;
}

QStringList duplicateNames(const QObject &root)
{
    QSet<QPair<const QObject *, QString>> seen;
    QStringList duplicates;
    for (const QWidget *w : root.findChildren<QWidget *>()) {
        // Qt's own names, and a tab bar's scroll buttons, alike in every tab bar.
        if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_"))
            || w->objectName().startsWith(QLatin1Char('_')) || qobject_cast<const QTabBar *>(w->parentWidget()))
            continue;
        const QPair<const QObject *, QString> key(namingScope(w, root), w->objectName());
        if (seen.contains(key))
            duplicates << w->objectName();
        seen.insert(key);
    }
    return duplicates;
}

} // namespace

class WiringTest : public QObject
{
    Q_OBJECT

private slots:
    void mainWindowSlotsFindTheirWidget();
    void radioWidgetSlotsFindTheirWidget();
    void pageWidgetSlotsFindTheirWidget();
};

void WiringTest::mainWindowSlotsFindTheirWidget()
{
    auto window = freshWindow();
    QStringList broken = brokenSlots(*window, MainWindow::staticMetaObject);
    // Each page family connected its slots within its own form; its pages
    // now sit in the window's stack.
    const QList<PageFamily *> families = window->findChildren<PageFamily *>();
    QCOMPARE(families.size(), 6);
    for (const PageFamily *family : families)
        broken << brokenSlots(*window, *family->metaObject());
    QVERIFY2(broken.isEmpty(), qPrintable(broken.join(QLatin1String(", "))));
    const QStringList duplicates = duplicateNames(*window);
    QVERIFY2(duplicates.isEmpty(), qPrintable(duplicates.join(QLatin1String(", "))));
}

void WiringTest::radioWidgetSlotsFindTheirWidget()
{
    Wdradio radio;
    const QStringList broken = brokenSlots(radio, Wdradio::staticMetaObject);
    QVERIFY2(broken.isEmpty(), qPrintable(broken.join(QLatin1String(", "))));
    Wdlora lora;
    const QStringList brokenLora = brokenSlots(lora, Wdlora::staticMetaObject);
    QVERIFY2(brokenLora.isEmpty(), qPrintable(brokenLora.join(QLatin1String(", "))));
}

void WiringTest::pageWidgetSlotsFindTheirWidget()
{
    WmOrloRpt repeater;
    QStringList broken = brokenSlots(repeater, WmOrloRpt::staticMetaObject);
    QVERIFY2(broken.isEmpty(), qPrintable(broken.join(QLatin1String(", "))));
    WmOrloRsLw loRaWan;
    broken = brokenSlots(loRaWan, WmOrloRsLw::staticMetaObject);
    QVERIFY2(broken.isEmpty(), qPrintable(broken.join(QLatin1String(", "))));
}

ORLO_TEST_MAIN(WiringTest)
#include "tst_wiring.moc"
