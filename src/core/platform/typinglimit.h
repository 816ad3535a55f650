// A limit on how many characters the user can type into a line box. Unlike
// QLineEdit::setMaxLength it never cuts text that the program sets, so a
// longer stored value is shown and written back whole. A character is a
// code point, as the column capacities count it: a surrogate pair counts
// once. A line box holds one line, so a pasted line break is refused
// rather than stored invisibly inside a field or a number.
#pragma once

#include <QValidator>

namespace kelm {

class TypingLimit : public QValidator {
    Q_OBJECT
public:
    TypingLimit(int characters, QObject *parent);
    State validate(QString &input, int &pos) const override;

private:
    int m_characters;
};

} // namespace kelm
