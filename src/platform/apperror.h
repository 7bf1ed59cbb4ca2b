#pragma once
#include <QString>
#include <exception>

// The one error commands throw: a message for the user. Every event handler runs
// inside the guard that catches it and shows the message.
class AppError : public std::exception {
public:
    explicit AppError(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}
    const QString &message() const { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};
