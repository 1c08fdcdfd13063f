#include "widgets/formtexts.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QComboBox>
#include <QMetaProperty>
#include <QSet>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QToolBox>
#include <QWidget>
#include <memory>
#include <vector>

namespace orlo {

namespace {

const char *const kSourceTextProperty = "orloSourceText";

// The text properties uic sets in retranslateUi.
const char *const kTextProperties[] = {"text",       "title",     "windowTitle", "toolTip",  "statusTip",
                                       "whatsThis",  "placeholderText", "prefix", "suffix", "specialValueText"};
constexpr int kPropertyCount = int(sizeof kTextProperties / sizeof *kTextProperties);
enum ListKind { ComboItem = kPropertyCount, TabText, TabToolTip, ToolBoxText };

bool readable(const QObject *object, int kind, int index, QString *value)
{
    if (kind < kPropertyCount) {
        const QMetaObject *meta = object->metaObject();
        const int at = meta->indexOfProperty(kTextProperties[kind]);
        if (at < 0 || !meta->property(at).isWritable() || meta->property(at).userType() != QMetaType::QString)
            return false;
        *value = object->property(kTextProperties[kind]).toString();
        return true;
    }
    if (auto *list = qobject_cast<const QComboBox *>(object); list && kind == ComboItem && index < list->count()) {
        *value = list->itemText(index);
        return true;
    }
    if (auto *tabs = qobject_cast<const QTabWidget *>(object); tabs && index < tabs->count()) {
        if (kind == TabText || kind == TabToolTip) {
            *value = kind == TabText ? tabs->tabText(index) : tabs->tabToolTip(index);
            return true;
        }
    }
    if (auto *box = qobject_cast<const QToolBox *>(object); box && kind == ToolBoxText && index < box->count()) {
        *value = box->itemText(index);
        return true;
    }
    return false;
}

void write(QObject *object, int kind, int index, const QString &value)
{
    if (kind < kPropertyCount)
        object->setProperty(kTextProperties[kind], value);
    else if (kind == ComboItem)
        static_cast<QComboBox *>(object)->setItemText(index, value);
    else if (kind == TabText)
        static_cast<QTabWidget *>(object)->setTabText(index, value);
    else if (kind == TabToolTip)
        static_cast<QTabWidget *>(object)->setTabToolTip(index, value);
    else
        static_cast<QToolBox *>(object)->setItemText(index, value);
}

int entriesOf(const QObject *object, int kind)
{
    if (kind < kPropertyCount)
        return 1;
    if (auto *list = qobject_cast<const QComboBox *>(object))
        return kind == ComboItem ? list->count() : 0;
    if (auto *tabs = qobject_cast<const QTabWidget *>(object))
        return kind == TabText || kind == TabToolTip ? tabs->count() : 0;
    if (auto *box = qobject_cast<const QToolBox *>(object))
        return kind == ToolBoxText ? box->count() : 0;
    return 0;
}

} // namespace

QString ProgramTranslator::translate(const char *context, const char *sourceText, const char *disambiguation,
                                     int n) const
{
    if (answersSource)
        return QString::fromUtf8(sourceText);
    return QTranslator::translate(context, sourceText, disambiguation, n);
}

ProgramTranslator &programTranslator()
{
    static auto *translator = new ProgramTranslator(QCoreApplication::instance());
    return *translator;
}

QString sourceTextOf(const QAbstractButton *button)
{
    const QVariant source = button->property(kSourceTextProperty);
    return source.isValid() ? source.toString() : button->text();
}

FormTexts::FormTexts(const QList<QWidget *> &widgets, std::function<void()> retranslateUi)
    : retranslateUi(std::move(retranslateUi))
{
    for (QWidget *widget : widgets)
        roots << widget;
    texts = collect();
    learnSourceTexts();
}

void FormTexts::learnSourceTexts()
{
    // The form in its source texts for a moment, then back in the language
    // installed; what the program wrote meanwhile stays through both.
    const QVector<Text> translated = texts;
    programTranslator().answersSource = true;
    retranslate();
    programTranslator().answersSource = false;
    // Only what this form's retranslateUi rewrote: a page placed inside
    // another form is that form's own.
    for (int i = 0; i < texts.size(); ++i) {
        const Text &text = texts.at(i);
        if (text.object && text.kind == 0 && text.formValue != translated.at(i).formValue
            && qobject_cast<QAbstractButton *>(text.object))
            text.object->setProperty(kSourceTextProperty, text.formValue);
    }
    retranslate();
}

QList<QObject *> FormTexts::objects() const
{
    QList<QObject *> found;
    for (const QPointer<QWidget> &root : roots) {
        if (!root)
            continue;
        found << root.data();
        found << root->findChildren<QObject *>();
    }
    // A page still inside its form would come twice.
    QList<QObject *> once;
    QSet<QObject *> seen;
    for (QObject *object : found)
        if (!seen.contains(object)) {
            seen.insert(object);
            once << object;
        }
    return once;
}

QVector<FormTexts::Text> FormTexts::collect() const
{
    QVector<Text> found;
    for (QObject *object : objects()) {
        for (int kind = 0; kind <= ToolBoxText; ++kind) {
            const int entries = entriesOf(object, kind);
            for (int index = 0; index < entries; ++index) {
                QString value;
                if (readable(object, kind, index, &value))
                    found.append({object, kind, index, value});
            }
        }
    }
    return found;
}

void FormTexts::retranslate()
{
    QVector<QString> before(texts.size());
    QVector<bool> known(texts.size(), false);
    std::vector<std::unique_ptr<QSignalBlocker>> quiet;
    for (int i = 0; i < texts.size(); ++i) {
        const Text &text = texts.at(i);
        if (text.object)
            known[i] = readable(text.object, text.kind, text.index, &before[i]);
    }
    for (QObject *object : objects())
        quiet.push_back(std::make_unique<QSignalBlocker>(object));

    retranslateUi();

    for (int i = 0; i < texts.size(); ++i) {
        Text &text = texts[i];
        QString translated;
        if (!known.at(i) || !text.object || !readable(text.object, text.kind, text.index, &translated))
            continue;
        // The program wrote this text itself: it stays, in whatever it says.
        if (before.at(i) != text.formValue && translated != before.at(i))
            write(text.object, text.kind, text.index, before.at(i));
        text.formValue = translated;
    }
}

} // namespace orlo
