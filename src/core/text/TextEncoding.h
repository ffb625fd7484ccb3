#pragma once

// The two encodings a database file may be written in: UTF-8, and the 8-bit Windows-1252 of
// older files. Neither conversion here ever replaces a character.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <optional>

namespace qm {

enum class TextEncoding { Utf8, Windows1252 };

// The text of bytes that are valid UTF-8 (a leading byte-order mark is dropped); nothing for
// anything else: a stray or missing continuation byte, an overlong form, a surrogate, a code
// point beyond U+10FFFF.
std::optional<QString> DecodeUtf8(QByteArrayView bytes);

// The text of 8-bit Windows-1252 bytes, one character a byte. The five bytes the code page
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control characters of the same
// number, so every byte reads back as itself.
QString DecodeWindows1252(QByteArrayView bytes);

// The Windows-1252 bytes of a text; nothing when a character has no byte there.
std::optional<QByteArray> EncodeWindows1252(QStringView text);

} // namespace qm
