// The random choices of the run, all drawn from the seeded generator: what to do, which key,
// and the amounts, dates, texts and files a user gives the program.

#include "Monkey.h"

#include "Looks.h"

#include "core/text/Dates.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <algorithm>

namespace qmmonkey {

int Monkey::below(int n) {
    if (n <= 1)
        return 0;
    return static_cast<int>(rng_() % static_cast<std::uint64_t>(n));
}

bool Monkey::chance(double p) {
    return static_cast<double>(rng_() % 1000000) < p * 1000000.0;
}

int Monkey::weighted(const std::vector<double>& weights) {
    double total = 0;
    for (const double w : weights)
        total += w;
    if (total <= 0)
        return 0;
    double r = static_cast<double>(rng_() % 1000000) / 1000000.0 * total;
    for (std::size_t i = 0; i < weights.size(); ++i) {
        if (r < weights[i])
            return static_cast<int>(i);
        r -= weights[i];
    }
    return static_cast<int>(weights.size()) - 1;
}

Key Monkey::randomKey() {
    const auto character = [](char16_t c) {
        return Key{keyCodeOf(c), {}, QString(QChar(c)), QString(QChar(c))};
    };
    switch (weighted({36, 7, 2, 2, 3, 2, 8, 6, 5, 7, 5, 2, 2, 2, 1, 4, 2, 2, 1, 2})) {
    case 0:
        return character(static_cast<char16_t>(u'0' + below(10)));
    case 1:
        return character(u'.');
    case 2:
        return character(u',');
    case 3:
        return character(u'-');
    case 4:
        return character(u'/');
    case 5:
        return Key{Qt::Key_Space, {}, QStringLiteral(" "), QStringLiteral("Space")};
    case 6:
        return character(static_cast<char16_t>((chance(0.5) ? u'a' : u'A') + below(26)));
    case 7:
        return Key{Qt::Key_Backspace, {}, QStringLiteral("\b"), QStringLiteral("Backspace")};
    case 8:
        return Key{Qt::Key_Delete, {}, QStringLiteral("\x7f"), QStringLiteral("Delete")};
    case 9:
        return Enter;
    case 10:
        return Key{Qt::Key_Tab, {}, QStringLiteral("\t"), QStringLiteral("Tab")};
    case 11:
        return Key{Qt::Key_Backtab, Qt::ShiftModifier, QString(), QStringLiteral("Shift+Tab")};
    case 12:
        return Key{Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"),
                   QStringLiteral("Ctrl+V")};
    case 13: {
        const char letters[] = {'A', 'C', 'X', 'Z'};
        const char c = letters[below(4)];
        return Key{Qt::Key_A + (c - 'A'), Qt::ControlModifier, QString(QChar(c - 'A' + 1)),
                   QStringLiteral("Ctrl+") + QChar::fromLatin1(c)};
    }
    case 14:
        return Escape;
    case 15: {
        const Qt::Key keys[] = {Qt::Key_Up,    Qt::Key_Down, Qt::Key_Left,
                                Qt::Key_Right, Qt::Key_Home, Qt::Key_End};
        const char* const names[] = {"Up", "Down", "Left", "Right", "Home", "End"};
        const int i = below(6);
        return Key{keys[i], {}, QString(), QLatin1String(names[i])};
    }
    case 16: {
        const char c = static_cast<char>('A' + below(26));
        return Key{Qt::Key_A + (c - 'A'), Qt::AltModifier,
                   QString(QChar::fromLatin1(static_cast<char>(c - 'A' + 'a'))),
                   QStringLiteral("Alt+") + QChar::fromLatin1(c)};
    }
    case 17: {
        const char16_t symbols[] = {u'$', u'%', u'"', u'\'', u'#', u'+'};
        return character(symbols[below(6)]);
    }
    case 18:
        return chance(0.5)
                   ? Key{Qt::Key_F4, {}, QString(), QStringLiteral("F4")}
                   : Key{Qt::Key_Down, Qt::AltModifier, QString(), QStringLiteral("Alt+Down")};
    default: {
        // The windows' command keys: help, print, the manager's open and save, the settings.
        switch (below(5)) {
        case 0:
            return Key{Qt::Key_F1, {}, QString(), QStringLiteral("F1")};
        case 1:
            return Key{Qt::Key_P, Qt::ControlModifier, QStringLiteral("\x10"),
                       QStringLiteral("Ctrl+P")};
        case 2:
            return Key{Qt::Key_O, Qt::ControlModifier, QStringLiteral("\x0f"),
                       QStringLiteral("Ctrl+O")};
        case 3:
            return Key{Qt::Key_Comma, Qt::ControlModifier, QString(), QStringLiteral("Ctrl+,")};
        default:
            return Key{Qt::Key_S, Qt::ControlModifier, QStringLiteral("\x13"),
                       QStringLiteral("Ctrl+S")};
        }
    }
    }
}

QString Monkey::randomAmount() {
    const auto digits = [this](int n, bool leadingZeroAllowed) {
        QString s;
        for (int i = 0; i < n; ++i) {
            const int d = (i == 0 && !leadingZeroAllowed) ? 1 + below(9) : below(10);
            s += QChar(u'0' + d);
        }
        return s;
    };
    switch (weighted({60, 8, 6, 8, 8, 5})) {
    case 0: {
        QString s = digits(1 + below(5), false);
        if (chance(0.6))
            s += QLatin1Char('.') + digits(1 + below(4), true);
        return s;
    }
    case 1: {
        const char* const zeros[] = {"0", ".0", "0.00", "0000", "."};
        return QLatin1String(zeros[below(5)]);
    }
    case 2:
        return digits(11 + below(10), false);
    case 3:
        return QLatin1Char('.') + digits(1 + below(6), true);
    case 4: {
        static const QString pool = QStringLiteral("0123456789.,-$ %e");
        QString s;
        for (int i = 0, n = 1 + below(9); i < n; ++i)
            s += pick(pool);
        return s;
    }
    default:
        return QStringLiteral("-") + digits(1 + below(4), false);
    }
}

QString Monkey::randomDate() {
    if (chance(0.8)) {
        const QDate date(1930 + below(150), 1 + below(12), 1 + below(28));
        return qm::ShortDate(date.addDays(below(4)));
    }
    static const QString pool = QStringLiteral("0123456789/.- ");
    QString s;
    for (int i = 0, n = 1 + below(12); i < n; ++i)
        s += pick(pool);
    return s;
}

QString Monkey::randomText(int maxLength) {
    static const QString pool = QStringLiteral(
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789     \",#'.-&/\u00e9\u00df"
        "\u20ac\u4e2d");
    QString s;
    for (int i = 0, n = 1 + below(maxLength); i < n; ++i)
        s += pick(pool);
    return s;
}

QString Monkey::randomEntry() {
    const int kind = weighted({6, 2, 2});
    return kind == 0 ? randomAmount() : kind == 1 ? randomDate() : randomText(8);
}

QString Monkey::randomRecordNumber() {
    switch (weighted({60, 5, 10, 5, 3, 3, 5, 5, 4})) {
    case 0:
        return QString::number(1 + below(12));
    case 1:
        return QStringLiteral("0");
    case 2:
        return QString::number(13 + below(700));
    case 3:
        return QStringLiteral("%1.5").arg(below(6));
    case 4:
        return QStringLiteral("-1");
    case 5:
        return QStringLiteral("99999");
    case 6:
        return randomText(4);
    case 7:
        return QString();
    default:
        return QStringLiteral(".");
    }
}

QString Monkey::freshMalformedFile() {
    QFile source(chance(0.8) ? options_.sampleDatabase : options_.largestDatabase);
    if (!source.open(QIODevice::ReadOnly))
        fail(QStringLiteral("cannot read %1").arg(source.fileName()));
    QByteArray bytes = source.readAll();
    for (int i = 0, n = 1 + below(3); i < n; ++i) {
        const int size = static_cast<int>(bytes.size());
        const int at = below(std::max(1, size));
        const int kind = below(8);
        switch (kind) {
        case 0: // cut short
            bytes.truncate(at);
            break;
        case 1: // one byte changed
            if (size > 0)
                bytes[at] = static_cast<char>(below(256));
            break;
        case 2: { // a few bytes put in
            QByteArray noise;
            for (int k = 0, m = 1 + below(6); k < m; ++k)
                noise += "0123456789,\"#-.\r\nAB\x00\xff"[below(19)];
            bytes.insert(at, noise);
            break;
        }
        case 3:   // a line dropped
        case 4:   // a line doubled
        case 5: { // a digit in a line changed
            QList<QByteArray> lines = bytes.split('\n');
            const int line = below(static_cast<int>(lines.size()));
            if (lines.isEmpty())
                break;
            if (kind == 3)
                lines.removeAt(line);
            else if (kind == 4)
                lines.insert(line, lines.at(line));
            else {
                QByteArray& l = lines[line];
                for (qsizetype k = 0; k < l.size(); ++k) {
                    if (l[k] >= '0' && l[k] <= '9' && chance(0.3))
                        l[k] = static_cast<char>('0' + below(10));
                }
            }
            bytes = lines.join('\n');
            break;
        }
        case 6: // nothing but noise
            bytes.clear();
            for (int k = 0, m = below(64); k < m; ++k)
                bytes += static_cast<char>(below(256));
            break;
        default: // something after the end
            bytes += chance(0.5) ? QByteArray("\r\n\r\n") : QByteArray("\r\nextra line\r\n");
            break;
        }
    }
    const QString path =
        QDir(options_.folder).filePath(QStringLiteral("broken-%1.QMD").arg(below(4)));
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        fail(QStringLiteral("cannot write %1").arg(path));
    out.write(bytes);
    return path;
}

} // namespace qmmonkey
