// The repeater / gateway page (RPT_r00): a widget of its own on the page
// stack, talking to its module through the module link, with its longer bounds.
#pragma once

#include "widgets/widgetexchange.h"
#include "widgets/writecycle.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

class ModuleLink;
class QLabel;
class QMessageBox;
class QPushButton;
class QSpinBox;
class QStatusBar;

namespace orlo { class FormTexts; }
namespace Ui {
class WmOrloRpt;
}

class WmOrloRpt : public QWidget
{
    Q_OBJECT

public:
    explicit WmOrloRpt(QWidget *parent = nullptr);
    ~WmOrloRpt() override;

    // Reads the module, then asks for its information 3.5 s later.
    void start(ModuleLink *link, QStatusBar *statusBar);
    // The module is gone: nothing is exchanged until the next start.
    void stop();
    // Where the page says "OK", "Echec" or "Invalide".
    QLabel *resultLabel() const;
    // Write: what a saved configuration is taken from.
    QPushButton *writeButton() const;
    // The checked configuration Write would send, as its payload; empty
    // when the page refuses it (its box shown) or may not configure yet.
    QByteArray configurationFrame();

    // Older pages switched to the Sigfox mode from a check box this form
    // does not have; kept as a plain call so connect-by-name finds no
    // orphan slot.
    void on_checkBox_firstGeneration_clicked(bool checked);

public slots:
    void on_pushButton_Configurer_ORLO_RPT_r00_clicked();
    void on_pushButton_DefaultConfiguration_ORLO_RPT_r00_clicked();
    void SetprogressBarConfigurer();
    void Update();
    void on_groupBox_868_clicked(bool checked);
    void on_groupBox_sf8_clicked(bool checked);
    void enableModbus();
    void enableSfx();

protected:
    // A language change: the form's texts again, with the result word and an
    // open duplicate warning in the new language.
    void changeEvent(QEvent *event) override;

private:
    // Write's frame built into the page's frame and checked: the cycle that
    // sends it, or none.
    std::optional<WriteCycle> buildConfiguration();
    // The stored record read and shown; `then` (may be empty) follows.
    void readConfiguration(std::function<void()> then);
    // Write's frame built and, unless refused, sent.
    void writeConfiguration();
    // The gateway's information asked (not while another exchange waits);
    // `then` (may be empty) runs once it was answered or not asked.
    void askInformation(std::function<void()> then);
    void showInformation();
    // The page shows a record from a file, checked against the gateway's
    // information, and the gateway has not told it yet.
    bool informationNeeded() const;
    QSpinBox *identifierBox(int module, int byte) const;
    void resetHighlight();

    std::unique_ptr<Ui::WmOrloRpt> form;
    std::unique_ptr<orlo::FormTexts> formTexts;
    QPointer<QMessageBox> duplicateWarning;
    ModuleLink *link = nullptr;
    QStatusBar *statusBar = nullptr;
    QTimer *progressTimer;
    QTimer informationTimer;
    orlo::widgetpage::Frame frame;
};
