// Every module page fits the fixed window, in the source texts, in French and
// in English: each visible widget lies inside the 640 x 461 page stack, no
// two visible sibling widgets overlap, none hides under the maker's logo; in
// French and English each text shows whole and none is in the other language.
// Walks every product identifier of the family and every tab of every page.
//
// With ORLO_GRAB_PAGES=<folder> it also saves a picture of the window on
// each page in French and English there, in <folder>/fr and <folder>/en
// (scripts/grab-pages).
#include "app/language.h"
#include "support/dialogcloser.h"
#include "link/modulelink.h"
#include "support/fixture.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolBox>

using namespace testing;

namespace {

const QRect kStackArea(0, 0, 640, 461);
constexpr int kGroupTitleIndent = 8;

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

// Words that belong to one language only: one of them on a page shown in the
// other language is a text left untranslated.
QSet<QString> wordsOf(const QString &words)
{
    const QStringList list = words.split(QLatin1Char(' '));
    return QSet<QString>(list.begin(), list.end());
}
const QSet<QString> kFrenchWords = wordsOf(QStringLiteral(
    "Configurer Défaut Seuil Seuils Envoi relevé Relevé Entrée Compteur Période heure heures jours Tous Sonde "
    "Trame Capteur Etalonnage Valeur numérique Dépassement Périodique Fermer pour Unité mesure échantillonnage"));
const QSet<QString> kEnglishWords = wordsOf(QStringLiteral(
    "Write Default Hour field Sending Statement Threshold Thresholds Counter Input Every Digital Temperature "
    "Humidity Period Value Low High Bridge Life Keep Cable Enable Disable Advanced Serial Channel Length Voltage "
    "Current Calibration Sampling with the week day Slave Master Unit"));

// What a widget shows in words: its text, title, list entries and tabs.
QStringList shownTexts(const QWidget *w)
{
    QStringList texts;
    if (auto *label = qobject_cast<const QLabel *>(w)) {
        texts << label->text();
    } else if (auto *button = qobject_cast<const QAbstractButton *>(w)) {
        texts << button->text();
    } else if (auto *group = qobject_cast<const QGroupBox *>(w)) {
        texts << group->title();
    } else if (auto *list = qobject_cast<const QComboBox *>(w)) {
        for (int i = 0; i < list->count(); ++i)
            texts << list->itemText(i);
    } else if (auto *tabs = qobject_cast<const QTabWidget *>(w)) {
        for (int i = 0; i < tabs->count(); ++i)
            texts << tabs->tabText(i);
    } else if (auto *box = qobject_cast<const QToolBox *>(w)) {
        for (int i = 0; i < box->count(); ++i)
            texts << box->itemText(i);
    }
    return texts;
}

// The room a text needs in `w`: its widest line and its lines' height.
QSize textSize(const QWidget *w, const QString &text)
{
    const QFontMetrics metrics = w->fontMetrics();
    const QStringList lines = QString(text).remove(QLatin1Char('&')).split(QLatin1Char('\n'));
    int widest = 0;
    for (const QString &line : lines)
        widest = qMax(widest, metrics.horizontalAdvance(line));
    return {widest, metrics.height() * int(lines.size())};
}

class FitCheck
{
public:
    FitCheck(QWidget *stack, const QWidget *logo, const QSet<QString> *otherLanguage)
        : stack(stack), logo(logo), otherLanguage(otherLanguage) {}

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
            checkText(w);
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
    // The whole text is shown, and none of it in the other language.
    void checkText(const QWidget *w)
    {
        // The source texts are the developers' own, some of them cut: only
        // the translations are held to show every text whole.
        if (!otherLanguage)
            return;
        static const QRegularExpression wordBreak(QStringLiteral("[^\\w]+"),
                                                 QRegularExpression::UseUnicodePropertiesOption);
        for (const QString &text : shownTexts(w))
            for (const QString &word : text.split(wordBreak, Qt::SkipEmptyParts))
                if (otherLanguage->contains(word))
                    faults << QStringLiteral("left in the other language: \"%1\" in ").arg(text) + describe(w, areaOf(w));
        QSize room = w->contentsRect().size();
        QSize needed;
        if (auto *label = qobject_cast<const QLabel *>(w)) {
            if (label->text().isEmpty() || !label->pixmap(Qt::ReturnByValue).isNull())
                return;
            needed = label->wordWrap() ? QSize(0, label->heightForWidth(room.width())) : textSize(w, label->text());
            room -= QSize(2 * label->margin() + qMax(0, label->indent()), 2 * label->margin());
        } else if (auto *button = qobject_cast<const QAbstractButton *>(w)) {
            if (button->text().isEmpty())
                return;
            // The hint's height counts the style's frame around a line that fits.
            needed = QSize(button->sizeHint().width(), textSize(w, button->text()).height());
            // A push button's hint keeps a minimum width whatever its text.
            if (qobject_cast<const QPushButton *>(button))
                needed.setWidth(textSize(w, button->text()).width()
                                + 2 * w->style()->pixelMetric(QStyle::PM_ButtonMargin)
                                + (button->icon().isNull() ? 0 : button->iconSize().width()));
            room = w->size();
        } else if (auto *group = qobject_cast<const QGroupBox *>(w)) {
            // The title starts a little way into the frame.
            needed = QSize(textSize(w, group->title()).width() + kGroupTitleIndent, 0);
            room = w->size();
        } else {
            return;
        }
        if (needed.width() > room.width() || needed.height() > room.height())
            faults << QStringLiteral("text cut (needs %1x%2): \"%3\" in ")
                              .arg(needed.width()).arg(needed.height()).arg(shownTexts(w).value(0))
                          + describe(w, areaOf(w));
    }

    QRect areaOf(const QWidget *w) const
    {
        return QRect(w->mapTo(stack->window(), QPoint(0, 0)) - stack->mapTo(stack->window(), QPoint(0, 0)),
                     w->size());
    }

    QWidget *stack;
    const QWidget *logo;
    const QSet<QString> *otherLanguage;
};

struct Language {
    const char *code;
    orlo::Language language;
    const QSet<QString> *otherWords;
};
const Language kLanguages[] = {{"source", orlo::Language::Source, nullptr},
                               {"fr", orlo::Language::French, &kEnglishWords},
                               {"en", orlo::Language::English, &kFrenchWords}};

} // namespace

class PagesFitTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { orlo::useLanguage(orlo::Language::Source); }
    void everyPageFits_data();
    void everyPageFits();
};

void PagesFitTest::everyPageFits_data()
{
    QTest::addColumn<int>("productId");
    QTest::addColumn<int>("languageIndex");
    for (int language = 0; language < int(std::size(kLanguages)); ++language)
        for (const orlo::ModuleEntry &entry : orlo::kModules)
            QTest::addRow("%s %04x %s", kLanguages[language].code, entry.productId, entry.name)
                << int(entry.productId) << language;
}

void PagesFitTest::everyPageFits()
{
    QFETCH(int, productId);
    QFETCH(int, languageIndex);
    const Language &language = kLanguages[languageIndex];
    orlo::useLanguage(language.language);
    auto window = freshWindow();
    auto *stack = child<QStackedWidget>(*window, "stackedWidget");
    QString grabs = language.otherWords ? qEnvironmentVariable("ORLO_GRAB_PAGES") : QString();
    if (!grabs.isEmpty())
        QVERIFY(QDir().mkpath(grabs = QDir(grabs).filePath(QLatin1String(language.code))));
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

    FitCheck check(stack, child<QLabel>(*window, "label_Logo"), language.otherWords);
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
