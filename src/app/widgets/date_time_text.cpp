#include "app/widgets/date_time_text.h"

#include <QList>
#include <QString>
#include <algorithm>

namespace qrv {
namespace {

// A piece of a Qt date or time format: a field (a run of one pattern letter)
// or literal text kept exactly as written, quotes included.
struct FormatPiece {
    QString text;
    bool field = false;
};

QList<FormatPiece> SplitFormat(const QString& format) {
    QList<FormatPiece> pieces;
    for (qsizetype i = 0; i < format.size();) {
        qsizetype end = i + 1;
        const QChar c = format[i];
        if (c == u'\'') {
            while (end < format.size() && format[end] != u'\'') {
                ++end;
            }
            end = std::min(end + 1, format.size());
        } else if (c.isLetter()) {
            while (end < format.size() && format[end] == c) {
                ++end;
            }
        }
        pieces.append({format.mid(i, end - i), c.isLetter()});
        i = end;
    }
    return pieces;
}

QString JoinFormat(const QList<FormatPiece>& pieces) {
    QString format;
    for (const FormatPiece& p : pieces) {
        format += p.text;
    }
    return format;
}

bool IsField(const FormatPiece& piece, QChar letter) {
    return piece.field && piece.text.front() == letter;
}

QString WithFourDigitYear(const QString& format) {
    QList<FormatPiece> pieces = SplitFormat(format);
    for (FormatPiece& p : pieces) {
        if (IsField(p, u'y')) {
            p.text = QStringLiteral("yyyy");
        }
    }
    return JoinFormat(pieces);
}

// Adds seconds after the minutes, separated the way hours and minutes are.
QString WithSeconds(const QString& format) {
    QList<FormatPiece> pieces = SplitFormat(format);
    if (std::any_of(pieces.begin(), pieces.end(),
                    [](const FormatPiece& p) { return IsField(p, u's'); })) {
        return format;
    }
    qsizetype hour = -1;
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        if (IsField(pieces[i], u'h') || IsField(pieces[i], u'H')) {
            hour = i;
        }
        if (IsField(pieces[i], u'm')) {
            QString separator;
            for (qsizetype j = hour + 1; hour >= 0 && j < i; ++j) {
                separator += pieces[j].text;
            }
            pieces.insert(i + 1, {separator.isEmpty() ? QStringLiteral(":") : separator, false});
            pieces.insert(i + 2, {QStringLiteral("ss"), true});
            return JoinFormat(pieces);
        }
    }
    return format;
}

}  // namespace

std::string FormatDateTimeText(const QDateTime& when, const QLocale& locale) {
    if (!when.isValid()) {
        return "Invalid DateTime";
    }
    QString text =
        locale.toString(when.date(), WithFourDigitYear(locale.dateFormat(QLocale::ShortFormat)));
    if (when.time() != QTime(0, 0)) {
        text += u' ' +
                locale.toString(when.time(), WithSeconds(locale.timeFormat(QLocale::ShortFormat)));
    }
    return text.toStdString();
}

std::string GetCurrentDateTimeText() {
    QDateTime now = QDateTime::currentDateTime();
    now.setTime(QTime(now.time().hour(), now.time().minute(), now.time().second()));
    return FormatDateTimeText(now, QLocale::system());
}

}  // namespace qrv
