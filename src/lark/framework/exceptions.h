#pragma once
// The framework's exceptions. Every one derives from lark::Exception, which
// derives from std::exception, so "any exception of the framework" is caught
// as std::exception and a lark::Exception carries its message as a QString.

#include <QByteArray>
#include <QString>

#include <exception>

namespace lark {

class Exception : public std::exception
{
public:
    explicit Exception(const QString& message);

    QString Message() const { return FMessage; }
    // The message in UTF-8.
    const char* what() const noexcept override;

private:
    QString FMessage;
    QByteArray FUtf8;
};

// Text that does not convert to the wanted value.
class EConvertError : public Exception
{
public:
    using Exception::Exception;
};

// An index outside a list.
class EListError : public Exception
{
public:
    using Exception::Exception;
};

// A file that cannot be opened.
class EFOpenError : public Exception
{
public:
    using Exception::Exception;
};

// Image data that cannot be decoded.
class EInvalidGraphic : public Exception
{
public:
    using Exception::Exception;
};

// A stored form that cannot be read back.
class EReadError : public Exception
{
public:
    using Exception::Exception;
};

// An operation the object cannot do in its state or with these arguments.
class EInvalidOperation : public Exception
{
public:
    using Exception::Exception;
};

// A program resource that does not exist.
class EResNotFound : public Exception
{
public:
    using Exception::Exception;
};

// A property written that can only be read.
class EPropReadOnly : public Exception
{
public:
    using Exception::Exception;
};

} // namespace lark
