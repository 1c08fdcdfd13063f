// Every type's configuration record as named fields in the units its page
// shows: what configuration files, the journal and the check after writing
// read and write. Offsets are payload offsets (0 is the command, or the
// status byte of an answer); the codecs of link/frames name them.
#pragma once

#include "link/limits.h"

#include <QString>
#include <QVector>
#include <QtGlobal>
#include <functional>

namespace orlo::records {

// How a field's bytes hold its stored count.
// Text: Latin-1 letters, a NUL after them when fewer than `size`.
enum class Storage { Byte, Signed8, Signed16le, Unsigned16le, Unsigned16be, Unsigned32be, Bcd, Text };

// What the page shows: a number in its unit, a ticked box, a list item, or a text.
enum class Kind { Number, Flag, Choice, Text };

// Whose a field's value is when a configuration is copied to another module.
enum class Belongs {
    Setting,        // copied by a file and a series
    OwnAddress,     // the module's own address on its network: a file copies it,
                    // a series keeps each module's own or numbers them
    OwnUnit,        // tied to one unit (a relayed module's identifier): a file
                    // copies it, a series keeps each module's own
};

struct Item {
    int code;          // stored count
    QString text;      // the page's list text, exactly
};

struct Field {
    QString name;                       // readable, unit in brackets: "low threshold (degC)"
    int offset = 0;
    Storage storage = Storage::Byte;
    quint8 mask = 0xFF;                 // Byte and Bcd: the bits it holds, read shifted down
    Kind kind = Kind::Number;
    double step = 1;                    // Number: page units per stored count
    double minimum = 0;                 // Number: the range the page accepts, page units
    double maximum = 255;
    QVector<Item> items = {};           // Choice: the list; a code it lacks is kept as a number
    int size = 1;                       // Text: the most letters
    // A value the stored count alone cannot give (a scale another field of
    // the record sets): read from, and written into, the whole payload. The
    // fields before it in the table are already written.
    std::function<double(const quint8 *payload)> read = {};
    std::function<void(quint8 *payload, double value)> write = {};
    // Fields of one role or mode only (a role another field holds): absent
    // from the file where this says no. Sees the fields before it written.
    std::function<bool(const quint8 *payload)> shownWhen = {};
    Belongs belongs = Belongs::Setting;
};

// A type's record: the payload bytes [first, end) that Write sends after the
// command and clock stamp, and the module answers to a read at the same places.
struct Record {
    int first = 0;
    int end = 0;
    QVector<Field> fields;
    // Bits the module reports about itself (its pulse counters, its radio
    // variant): no configuration. A file holds zeros there, a page filled
    // from a file shows the module's own, and a write is not expected to
    // store what it sent there.
    struct Reported {
        int offset;
        int size;
        quint8 mask = 0xFF;     // in each of its bytes
    };
    QVector<Reported> moduleOwn = {};
};

// The record of a product identifier of the family (empty fields otherwise).
Record recordOf(int productId);

// Rows of the tables.
Field number(const QString &name, int offset, Storage storage, double step, double minimum, double maximum);
Field flag(const QString &name, int offset, quint8 mask);
// A list of the whole byte, or of the bits of mask.
Field choice(const QString &name, int offset, const QVector<Item> &items, quint8 mask = 0xFF);
Field shownWhen(Field f, std::function<bool(const quint8 *payload)> when);
Field belongingTo(Field f, Belongs belongs);
// A list whose entry i is stored as firstCode + i.
QVector<Item> listItems(const QStringList &texts, int firstCode = 0);
// An input's edge: its button shows icons, so the file names them.
QVector<Item> edgeItems();

// The 868 MHz radio widget as the pages show it: its rates by code (1..8,
// and 10 and 11 for the older Kelo modems, named apart as their texts
// repeat) and the last channel of its box.
QVector<Item> radioRateItems();
constexpr int kLastRadioChannel = limits::kLastRadioChannel;

// Each type's table, given the product identifier where units differ.
QVector<Field> tmFields(int productId);
QVector<Field> tmR20Fields(int productId);
QVector<Field> thR10Fields(int productId);
QVector<Field> tm2dFields(int productId);
QVector<Field> tm868Fields(int productId);
QVector<Field> th868Fields(int productId);
QVector<Field> analogFields(int productId);
QVector<Field> diFields(int productId);
QVector<Field> diR2xFields(int productId);
QVector<Field> di4Fields(int productId);
QVector<Field> iodFields(int productId);
QVector<Field> dioLoRaFields(int productId);
QVector<Field> di2Fields(int productId);
QVector<Field> rsFields(int productId);
QVector<Field> rptFields(int productId);
QVector<Field> rslwFields(int productId);

} // namespace orlo::records
