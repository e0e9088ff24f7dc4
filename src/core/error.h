#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

namespace hakobee {

// A failure that reaches the operator: its description is a sentence the
// operator can act on (in Japanese where the system shows it), naming the
// file, table or column, followed by the underlying engine's own message.
class Error : public std::exception
{
public:
    explicit Error(QString description)
        : description_(std::move(description)), utf8_(description_.toUtf8())
    {}

    const QString& description() const noexcept { return description_; }
    const char* what() const noexcept override { return utf8_.constData(); }

private:
    QString description_;
    QByteArray utf8_;
};

} // namespace hakobee
