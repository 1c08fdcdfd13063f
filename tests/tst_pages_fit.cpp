// Every module page fits the fixed window: each visible widget lies inside
// the 640 x 461 page stack, no two visible sibling widgets overlap, and none
// hides under the maker's logo. Walks the page generically, so it covers
// every product identifier of the family and every tab of every page.
//
// With ORLO_GRAB_PAGES=<folder> it also saves a picture of the window on
// each page there (scripts/grab-pages).
#include "support/dialogcloser.h"
#include "link/modulelink.h"
#include "support/fixture.h"

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolBox>

using namespace testing;

namespace {

const QRect kStackArea(0, 0, 640, 461);

// Widgets whose children are laid out by the page (and not Qt's own inner
// parts, such as the line edit of a spin box or the viewport of a list).
bool holdsPageWidgets(const QWidget *w)
{
    const QByteArray name = w->metaObject()->className();
    return name == "QWidget" || name == "QFrame" || name == "QGroupBox" || !name.startsWith('Q');
}

// The shown page of a stack, tab or tool box widget, or null.
QWidget *shownPageOf(const QWidget *w)
{
    if (auto *stack = qobject_cast<const QStackedWidget *>(w))
        return stack->currentWidget();
    if (auto *tabs = qobject_cast<const QTabWidget *>(w))
        return tabs->currentWidget();
    if (auto *box = qobject_cast<const QToolBox *>(w))
        return box->currentWidget();
    return nullptr;
}

QString describe(const QWidget *w, const QRect &area)
{
    return QStringLiteral("%1 (%2) at %3,%4 %5x%6")
        .arg(w->objectName().isEmpty() ? QStringLiteral("<unnamed>") : w->objectName(),
             QString::fromLatin1(w->metaObject()->className()))
        .arg(area.x()).arg(area.y()).arg(area.width()).arg(area.height());
}

class FitCheck
{
public:
    FitCheck(QWidget *stack, const QWidget *logo) : stack(stack), logo(logo) {}

    QStringList faults;

    void walk(QWidget *container)
    {
        QList<QWidget *> shown;
        for (QWidget *w : container->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
            if (!w->isWindow() && w->isVisible())
                shown << w;
        const bool ownLayout = holdsPageWidgets(container);
        for (int i = 0; i < shown.size(); ++i) {
            QWidget *w = shown[i];
            const QRect area = areaOf(w);
            if (!kStackArea.contains(area))
                faults << QStringLiteral("outside the page: ") + describe(w, area);
            if (ownLayout) {
                for (int j = i + 1; j < shown.size(); ++j)
                    if (area.intersects(areaOf(shown[j])))
                        faults << QStringLiteral("overlap: ") + describe(w, area) + QStringLiteral(" and ")
                                      + describe(shown[j], areaOf(shown[j]));
            }
            if (holdsPageWidgets(w)) {
                walk(w);
            } else if (QWidget *page = shownPageOf(w)) {
                walk(page);
            } else if (logo->isVisible() && area.intersects(areaOf(logo))) {
                faults << QStringLiteral("under the logo: ") + describe(w, area);
            }
        }
    }

private:
    QRect areaOf(const QWidget *w) const
    {
        return QRect(w->mapTo(stack->window(), QPoint(0, 0)) - stack->mapTo(stack->window(), QPoint(0, 0)),
                     w->size());
    }

    QWidget *stack;
    const QWidget *logo;
};

} // namespace

class PagesFitTest : public QObject
{
    Q_OBJECT

private slots:
    void everyPageFits_data();
    void everyPageFits();
};

void PagesFitTest::everyPageFits_data()
{
    QTest::addColumn<int>("productId");
    for (const orlo::ModuleEntry &entry : orlo::kModules)
        QTest::addRow("%04x %s", entry.productId, entry.name) << int(entry.productId);
}

void PagesFitTest::everyPageFits()
{
    QFETCH(int, productId);
    auto window = freshWindow();
    auto *stack = child<QStackedWidget>(*window, "stackedWidget");
    const QString grabs = qEnvironmentVariable("ORLO_GRAB_PAGES");
    if (!grabs.isEmpty() && productId == orlo::kModules.front().productId)
        QVERIFY(window->grab().save(QDir(grabs).filePath(currentPage(*window) + QStringLiteral(".png"))));
    // Switching tabs may make a page say something in a box.
    const DialogCloser closer;

    sim::Module &module = sim::Bench::instance().plug(quint16(productId));
    window->Connexion();
    QTRY_VERIFY(currentPage(*window) != QLatin1String("page_Connect"));
    // A page may go on loading from the module once shown; let it finish.
    static_cast<void>(QTest::qWaitFor([&] { return !module.received.empty() && !window->transport()->busy(); }, 500));
    QTRY_VERIFY(!window->transport()->busy());
    QWidget *page = stack->currentWidget();

    FitCheck check(stack, child<QLabel>(*window, "label_Logo"));
    check.walk(page);
    // Every tab a user can open, one tab widget at a time.
    QList<QWidget *> switchers;
    for (QTabWidget *tabs : page->findChildren<QTabWidget *>())
        switchers << tabs;
    for (QToolBox *box : page->findChildren<QToolBox *>())
        switchers << box;
    for (QWidget *switcher : switchers) {
        auto *tabs = qobject_cast<QTabWidget *>(switcher);
        auto *box = qobject_cast<QToolBox *>(switcher);
        const int count = tabs ? tabs->count() : box->count();
        const int shown = tabs ? tabs->currentIndex() : box->currentIndex();
        for (int i = 0; i < count; ++i) {
            if (i == shown)
                continue;
            tabs ? tabs->setCurrentIndex(i) : box->setCurrentIndex(i);
            check.walk(page);
        }
        tabs ? tabs->setCurrentIndex(shown) : box->setCurrentIndex(shown);
    }
    // Saved before judging, so that a page that does not fit can be looked at.
    if (!grabs.isEmpty())
        QVERIFY(window->grab().save(QDir(grabs).filePath(page->objectName() + QStringLiteral(".png"))));
    check.faults.removeDuplicates();
    QVERIFY2(check.faults.isEmpty(), qPrintable(page->objectName() + QStringLiteral(":\n  ")
                                                + check.faults.join(QStringLiteral("\n  "))));
}

ORLO_TEST_MAIN(PagesFitTest)
#include "tst_pages_fit.moc"
