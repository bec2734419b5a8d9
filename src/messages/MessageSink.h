// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace linvox {

// The title of every message that names no other.
inline const QString kProgramTitle = QStringLiteral("Linvox");

enum class MessageIcon { None, Critical };

// A text of several lines, as every message joins them: with CR LF.
inline QString JoinLines(const QStringList& lines) {
    return lines.join(QStringLiteral("\r\n"));
}

// A message for the user: shown as a modal box with one OK button, or printed when there is no
// display. Texts of several lines are joined with CR LF.
struct Message {
    QString text;
    QString title;
    MessageIcon icon = MessageIcon::None;

    friend bool operator==(const Message&, const Message&) = default;
};

// Where routines report messages. Show returns once the user has dismissed the message.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void Show(const Message& message) = 0;
};

}  // namespace linvox
