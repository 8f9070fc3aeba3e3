// The one place where the program's CP932 text and Qt's UTF-16 text meet.
//
// Towards Qt every CP932 character becomes exactly one UTF-16 unit; a byte
// sequence CP932 does not define becomes U+FFFD, one per character. Back
// from Qt, nothing is changed silently: a text with a character CP932
// cannot hold is refused as a whole, and an edit keeps the bytes of every
// character the user did not touch (so a character with two CP932 codes,
// or a byte CP932 does not define, survives typing elsewhere in the field).
#ifndef ZUBA_FRONTEND_QT_QTTEXT_H_
#define ZUBA_FRONTEND_QT_QTTEXT_H_

#include <QString>
#include <string>

namespace zuba::qt {

// CP932 to QString, one UTF-16 unit per character (see above).
QString ToQt(const std::string& text);

// QString to CP932. False (and `*text` untouched) when a character has no
// CP932 code.
bool FromQt(const QString& shown, std::string* text);

// The user changed a field showing `before` (the CP932 text, shown as
// ToQt(before)) to `after`. The changed middle is converted, the unchanged
// start and end keep their bytes. False (and `*text` untouched) when the
// changed part has a character CP932 cannot hold.
bool FromQtEdit(const std::string& before, const QString& after, std::string* text);

// A shown text with its line breaks as Qt draws them: CR LF pairs and lone
// CRs become LF.
QString QtLineBreaks(QString shown);

}  // namespace zuba::qt

#endif  // ZUBA_FRONTEND_QT_QTTEXT_H_
