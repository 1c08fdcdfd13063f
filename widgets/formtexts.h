// A form built by setupUi, retranslated when the language changes without
// losing what the program wrote into it since: a read value in a label, a
// list the page filled, a title chosen by the module's type.
#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <QTranslator>
#include <QVector>
#include <functional>

class QAbstractButton;
class QObject;
class QWidget;

namespace orlo {

// The program's own translation. For a moment it can answer every text with
// its source, so that a form learns what its buttons are called whatever the
// language: the journal names a button by its source text.
class ProgramTranslator : public QTranslator
{
public:
    using QTranslator::QTranslator;
    QString translate(const char *context, const char *sourceText, const char *disambiguation,
                      int n) const override;
    bool answersSource = false;
};
ProgramTranslator &programTranslator();

// A button's text as the program's source writes it (its form's text when the
// form was built with FormTexts), whatever the language shown.
QString sourceTextOf(const QAbstractButton *button);

class FormTexts
{
public:
    // `retranslateUi` is the form's own (ui->retranslateUi(form)); the texts
    // the form shows now are taken as the form's, and its buttons learn
    // their source texts. `widgets` are the form and
    // the pages it placed elsewhere (a family's pages live in the shell's stack).
    FormTexts(const QList<QWidget *> &widgets, std::function<void()> retranslateUi);

    // The form's own texts in the language now installed; a text the program
    // changed since keeps its value. Runs with the form's signals blocked:
    // a language change is no user's edit.
    void retranslate();

private:
    struct Text {
        QPointer<QObject> object;
        int kind;                       // a property, or a list entry
        int index;                      // the entry of a list, tab or tool box
        QString formValue;              // what the form itself last showed there
    };
    QList<QObject *> objects() const;
    QVector<Text> collect() const;
    void learnSourceTexts();

    QList<QPointer<QWidget>> roots;
    std::function<void()> retranslateUi;
    QVector<Text> texts;
};

} // namespace orlo
