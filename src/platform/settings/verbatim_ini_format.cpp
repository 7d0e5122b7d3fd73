#include "platform/settings/verbatim_ini_format.h"

#include <QByteArrayView>
#include <QMetaType>
#include <QStringList>

namespace qrv {

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

bool IsIntegerType(const QVariant& value) {
    switch (value.typeId()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
            return true;
        default:
            return false;
    }
}

void AppendPercent(QByteArray& out, unsigned char c) {
    out += '%';
    out += kHex[c >> 4];
    out += kHex[c & 0xF];
}

// Section and key names: printable text stays as it is; '%' (the escape
// itself), '=', the separators '/' and '\\', brackets, control characters and
// blanks or comment marks that a reader would trim or skip are encoded.
QByteArray EscapeName(const QString& name) {
    const QByteArray utf8 = name.toUtf8();
    QByteArray out;
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        const bool edge = i == 0 || i == utf8.size() - 1;
        const bool special = c < 0x20 || c == 0x7F || c == '%' || c == '=' || c == '/' ||
                             c == '\\' || c == '[' || c == ']' || c == '"';
        const bool trimmed = edge && (c == ' ' || c == '\t');
        const bool comment = i == 0 && (c == ';' || c == '#');
        if (special || trimmed || comment) {
            AppendPercent(out, c);
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

QString UnescapeName(QByteArrayView text) {
    if (!text.contains('%'))
        return QString::fromUtf8(text);
    QByteArray out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            const int high = HexValue(text[i + 1]);
            const int low = HexValue(text[i + 2]);
            if (high >= 0 && low >= 0) {
                out += static_cast<char>(high * 16 + low);
                i += 2;
                continue;
            }
        }
        out += text[i];
    }
    return QString::fromUtf8(out);
}

bool NeedsQuotes(const QByteArray& utf8) {
    if (utf8.isEmpty())
        return false;
    if (utf8.front() == ' ' || utf8.front() == '\t' || utf8.back() == ' ' || utf8.back() == '\t') {
        return true;
    }
    for (char c : utf8) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F || c == '"' || c == '\\' || c == ',' || c == ';' || c == '#') {
            return true;
        }
    }
    return false;
}

QByteArray Quote(const QByteArray& utf8) {
    QByteArray out = "\"";
    for (char c : utf8) {
        const auto u = static_cast<unsigned char>(c);
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (u < 0x20 || u == 0x7F) {
                    out += "\\x";
                    out += kHex[u >> 4];
                    out += kHex[u & 0xF];
                } else {
                    out += c;
                }
        }
    }
    out += '"';
    return out;
}

// A leading '@' marks typed values in the stock format, so it is doubled.
QByteArray FormatValue(const QVariant& value) {
    if (IsIntegerType(value))
        return QByteArray::number(value.toLongLong());
    QByteArray utf8 = value.toString().toUtf8();
    if (utf8.startsWith('@'))
        utf8.prepend('@');
    return NeedsQuotes(utf8) ? Quote(utf8) : utf8;
}

QByteArray Unquote(QByteArrayView text) {
    QByteArray out;
    for (qsizetype i = 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"')
            break;
        if (c != '\\' || i + 1 >= text.size()) {
            out += c;
            continue;
        }
        const char e = text[++i];
        if (e == 'n') {
            out += '\n';
        } else if (e == 'r') {
            out += '\r';
        } else if (e == 't') {
            out += '\t';
        } else if (e == 'x' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
                   HexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else {
            out += e;
        }
    }
    return out;
}

QString ParseValue(QByteArrayView text) {
    QByteArray utf8 = text.startsWith('"') ? Unquote(text) : text.toByteArray();
    if (utf8.startsWith("@@"))
        utf8.remove(0, 1);
    return QString::fromUtf8(utf8);
}

void WriteSection(QByteArray& out, const QString& section) {
    if (!out.isEmpty())
        out += '\n';
    out += '[' + EscapeName(section) + "]\n";
}

}  // namespace

QSettings::Format VerbatimIniFormat::Format() {
    static const QSettings::Format format =
        QSettings::registerFormat("ini", &VerbatimIniFormat::Read, &VerbatimIniFormat::Write);
    return format;
}

// Lenient like the stock reader: unknown lines are skipped rather than
// failing, so that a damaged file does not block every later write. Lines are
// read in place; the keys of a file this format wrote come in order, so each
// is inserted at the end in constant time.
bool VerbatimIniFormat::Read(QIODevice& device, QSettings::SettingsMap& map) {
    const QByteArray text = device.readAll();
    QString section;
    for (qsizetype start = 0; start < text.size();) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0)
            end = text.size();
        const QByteArrayView line = QByteArrayView(text).sliced(start, end - start).trimmed();
        start = end + 1;
        if (line.isEmpty() || line.startsWith(';') || line.startsWith('#'))
            continue;
        if (line.startsWith('[') && line.endsWith(']')) {
            section = UnescapeName(line.sliced(1, line.size() - 2).trimmed());
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (equals <= 0)
            continue;
        const QString key = UnescapeName(line.first(equals).trimmed());
        const QString path = section.isEmpty() ? key : section + '/' + key;
        map.insert(map.cend(), path, ParseValue(line.sliced(equals + 1).trimmed()));
    }
    return true;
}

// Keys arrive sorted, so each section's keys are contiguous. Keys without a
// section come first, before any header.
bool VerbatimIniFormat::Write(QIODevice& device, const QSettings::SettingsMap& map) {
    QByteArray out;
    QByteArray topLevel;
    QString current;
    bool inSection = false;
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        const qsizetype slash = it.key().indexOf('/');
        const QByteArray entry =
            EscapeName(it.key().mid(slash + 1)) + '=' + FormatValue(it.value()) + '\n';
        if (slash < 0) {
            topLevel += entry;
            continue;
        }
        const QString section = it.key().left(slash);
        if (!inSection || section != current) {
            WriteSection(out, section);
            current = section;
            inSection = true;
        }
        out += entry;
    }
    if (!topLevel.isEmpty() && !out.isEmpty())
        topLevel += '\n';
    return device.write(topLevel + out) == topLevel.size() + out.size();
}

}  // namespace qrv
