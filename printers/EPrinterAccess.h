#pragma once

#include <stdexcept>
#include <string>

// Every failure of the printer layer is one of this family; callers catch the base and fall
// back (clear or disable a list). Each carries only its message.
class EPrinterAccess : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

class EPrinterAccessNoPrinter : public EPrinterAccess
{
public:
    using EPrinterAccess::EPrinterAccess;
};

class EPrinterAccessIllegalIndex : public EPrinterAccess
{
public:
    using EPrinterAccess::EPrinterAccess;
};

class EPrinterAccessRangeError : public EPrinterAccess
{
public:
    using EPrinterAccess::EPrinterAccess;
};

class EPrinterAccessNotSupported : public EPrinterAccess
{
public:
    using EPrinterAccess::EPrinterAccess;
};

class EPrinterAccessNoInfo : public EPrinterAccess
{
public:
    using EPrinterAccess::EPrinterAccess;
};

class EPrinterAccessPaperSizeError : public EPrinterAccess
{
public:
    using EPrinterAccess::EPrinterAccess;
};

class EPrinterAccessBinError : public EPrinterAccess
{
public:
    using EPrinterAccess::EPrinterAccess;
};

// The system's printer service could not be asked (a print server that does not answer).
class EPrinterAccessServerError : public EPrinterAccess
{
public:
    using EPrinterAccess::EPrinterAccess;
};
