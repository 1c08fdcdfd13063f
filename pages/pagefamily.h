// A family of module pages: one class and one form for pages that share
// their steps. The shell places the family's pages in its stack and tells
// the family when its module comes and goes; the family reaches the module
// through the shell's link.
#pragma once

#include "link/moduletable.h"
#include "widgets/writecycle.h"

#include <QList>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

class ModuleLink;
class QEvent;
class QLabel;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QTimer;
namespace orlo {
class FormTexts;
}

// What a page needs of the shell.
class PageShell
{
public:
    virtual ModuleLink &link() = 0;
    virtual QStatusBar *statusLine() = 0;
    // The page comes to the front, with the maker's logo.
    virtual void showModulePage(QWidget *page) = 0;
    // The maker's logo, hidden while a page reads its module.
    virtual void showLogo(bool shown) = 0;

protected:
    ~PageShell() = default;
};

class PageFamily : public QWidget
{
    Q_OBJECT

public:
    // A page's result label and its Write button.
    struct Controls {
        QLabel *result = nullptr;
        QPushButton *write = nullptr;
    };

    PageFamily(PageShell &shell, QWidget *parent);
    ~PageFamily() override;

    // The family's pages, in the order the stack shows them.
    QList<QWidget *> pages() const;
    bool serves(orlo::ModuleType type) const;
    // The module of this type came (its page reads it and is shown) or went.
    void enablePage(orlo::ModuleType type, bool enable);
    Controls controlsOf(orlo::ModuleType type) const;
    // The checked configuration the page's Write would send, as its payload;
    // empty when the page refuses it (its box shown) or has none yet.
    QByteArray configurationFrame(orlo::ModuleType type);

protected:
    // The pages' ends of the link, with the family pages' bounds (1 s / 2 s).
    ModuleLink &link() const { return shell.link(); }
    QStatusBar *statusBar() const { return shell.statusLine(); }
    void showModulePage(QWidget *page) { shell.showModulePage(page); }
    void showLogo(bool shown) { shell.showLogo(shown); }
    int currentProductId() const;
    // A bare command; `done` is told whether the answer (answerPayload) came whole.
    void requestCommand(quint8 command, int reports, std::function<void(bool whole)> done);
    // The module's stored record (command 2): `done` gets its payload, zeros
    // where nothing arrived. Whether it arrived whole is kept by the link,
    // which sends no configuration before.
    void readStoredConfiguration(int reports, std::function<void(const quint8 *stored)> done);
    void readStoredConfiguration(int reports, const char *trace, std::function<void(const quint8 *stored)> done);
    // A configuration button may send now: no other exchange waits and the
    // module's record was read.
    bool mayConfigure() const;
    // The request frame cleared, and the payloads of the request and answer frames.
    void clearRequest();
    quint8 *requestPayload();
    const quint8 *answerPayload() const;
    // Write cycle shared by every configure and reset button: the page built
    // the request, the cycle pauses the timers, writes, and once the
    // acknowledgement came (the bar turning meanwhile) tells `done` whether
    // the module accepted.
    void runWriteCycle(const WriteCycle &cycle, std::function<void(bool accepted)> done);
    // The request a build step left for its cycle: the payload, or empty
    // when the step refused it.
    QByteArray builtFrame(const std::optional<WriteCycle> &cycle) const;
    // The invalid-configuration box; the label reads "Invalide" while it is open.
    void warnInvalidConfiguration(QLabel *result, const WarningTexts &texts, const QStringList &lines);
    static void stepProgress(QProgressBar *bar);

    // Page timers: created when a page is enabled, destroyed when disabled.
    std::unique_ptr<QTimer> progressTimer;
    std::unique_ptr<QTimer> measureTimer;
    std::unique_ptr<QTimer> valueTimer;

    // A page of the family: the module type it serves, its enable step,
    // its result label and Write button. Added in stack order.
    struct Page {
        orlo::ModuleType type;
        QWidget *widget;
        std::function<void(bool)> enable;
        Controls controls;
        // Builds and checks Write's frame: its payload, or empty.
        std::function<QByteArray()> frame;
    };
    void addPage(Page page);
    // After the pages were added: on a language change, the form's
    // `retranslateUi` runs over the family and its pages, keeping what the
    // pages wrote since, then retranslateTexts(); each page's result label
    // shows its word again.
    void keepFormTexts(std::function<void()> retranslateUi);
    // The texts a page set itself from its state (a title chosen by the
    // module's type, a list the page filled), written again in the language
    // now installed.
    virtual void retranslateTexts() {}
    void changeEvent(QEvent *event) override;

private:
    const Page *pageOf(orlo::ModuleType type) const;

    PageShell &shell;
    QList<Page> table;
    std::unique_ptr<orlo::FormTexts> formTexts;
};
