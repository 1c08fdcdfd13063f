// While an exchange with the module waits, the page's buttons that would
// start another (Write, Default, counter reset) are disabled, not refused
// after the press; they come back once the link is idle. A button the page
// itself enables meanwhile is the page's again.
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QPushButton;
class QWidget;

class ExchangeButtons : public QObject
{
public:
    using QObject::QObject;
    // The link became busy: `page`'s enabled exchange buttons are held.
    void hold(QWidget *page);
    // The link is idle: the buttons still held come back.
    void release();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QList<QPointer<QPushButton>> held;
    bool changing = false;
};
