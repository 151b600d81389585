#pragma once
// Exceptions, Format, string, number, file-name and date/time helpers.

#include "platform/rtl/System.h"

#include <exception>
#include <initializer_list>
#include <string_view>
#include <type_traits>

// ---------------------------------------------------------------- exceptions

class Exception : public std::exception {
public:
    explicit Exception(String Msg) : Message(std::move(Msg)) {}
    const char* what() const noexcept override { return Message.c_str(); }
    virtual String ClassName() const { return "Exception"; }
    String Message;
};

#define QUENTA_DECLARE_EXCEPTION(Name, Base)                                                              \
    class Name : public Base {                                                                            \
    public:                                                                                               \
        using Base::Base;                                                                                 \
        String ClassName() const override { return #Name; }                                               \
    }

QUENTA_DECLARE_EXCEPTION(EAbort, Exception);
QUENTA_DECLARE_EXCEPTION(EConvertError, Exception);
QUENTA_DECLARE_EXCEPTION(EListError, Exception);
QUENTA_DECLARE_EXCEPTION(EStringListError, Exception);
QUENTA_DECLARE_EXCEPTION(EComponentError, Exception);
QUENTA_DECLARE_EXCEPTION(EInvalidOperation, Exception);
QUENTA_DECLARE_EXCEPTION(EInvalidArgument, Exception);
QUENTA_DECLARE_EXCEPTION(EOutOfMemory, Exception);
QUENTA_DECLARE_EXCEPTION(EInOutError, Exception);
QUENTA_DECLARE_EXCEPTION(EStreamError, Exception);
QUENTA_DECLARE_EXCEPTION(EFOpenError, EStreamError);
QUENTA_DECLARE_EXCEPTION(EFCreateError, EStreamError);
QUENTA_DECLARE_EXCEPTION(EReadError, EStreamError);
QUENTA_DECLARE_EXCEPTION(EWriteError, EStreamError);
QUENTA_DECLARE_EXCEPTION(EOSError, Exception);
QUENTA_DECLARE_EXCEPTION(EZeroDivide, Exception);
QUENTA_DECLARE_EXCEPTION(ERangeError, Exception);

// Raises EAbort, the silent exception.
[[noreturn]] void Abort();

// ---------------------------------------------------------------- Format

// One argument of Format, as the framework's "array of const" element.
class TVarRec {
public:
    enum TKind { vtInteger, vtInt64, vtBoolean, vtChar, vtExtended, vtString, vtPointer };

    template <class T, std::enable_if_t<std::is_integral_v<T> && !std::is_same_v<T, bool> &&
                                            !std::is_same_v<T, char>,
                                        int> = 0>
    TVarRec(T v) {
        // As in the framework: values that fit a signed 32-bit Integer are
        // Integers (so negative values print as 8 hex digits), others Int64.
        if constexpr (std::is_signed_v<T>) {
            Int64 x = static_cast<Int64>(v);
            Kind = (x >= INT32_MIN && x <= INT32_MAX) ? vtInteger : vtInt64;
            I = x;
        } else {
            UInt64 x = static_cast<UInt64>(v);
            Kind = x <= static_cast<UInt64>(INT32_MAX) ? vtInteger : vtInt64;
            I = static_cast<Int64>(x);
        }
    }
    TVarRec(bool v) : Kind(vtBoolean), I(v ? 1 : 0) {}
    TVarRec(char v) : Kind(vtChar), S(1, v) {}
    TVarRec(double v) : Kind(vtExtended), D(v) {}
    TVarRec(float v) : Kind(vtExtended), D(v) {}
    TVarRec(const char* v) : Kind(vtString), S(v ? v : "") {}
    TVarRec(const String& v) : Kind(vtString), S(v) {}
    TVarRec(std::string_view v) : Kind(vtString), S(v) {}
    TVarRec(const void* v) : Kind(vtPointer), P(v) {}

    TKind Kind;
    Int64 I = 0;
    double D = 0;
    String S;
    const void* P = nullptr;
};

// Formats like the framework's Format: "%" [index ":"] ["-"] [width] ["." prec] type,
// width and precision may be "*". Types: d u x X s f e g n m p, and "%%".
// x prints lower-case and X upper-case hex; a negative Integer prints as its
// 32-bit two's complement. Raises EConvertError on a bad format or argument.
String Format(std::string_view Fmt, std::initializer_list<TVarRec> Args);

// ---------------------------------------------------------------- numbers

String IntToStr(Int64 Value);
// Upper-case hex, at least Digits digits; a negative value prints as 16 digits.
String IntToHex(Int64 Value, Integer Digits);
// Accepts optional leading blanks, a sign, decimal digits or "$"/"0x" hex.
Integer StrToInt(const String& S);
Int64 StrToInt64(const String& S);
Integer StrToIntDef(const String& S, Integer Default);
bool TryStrToInt(const String& S, Integer& Value);
bool TryStrToInt64(const String& S, Int64& Value);
String FloatToStr(double Value);
double StrToFloat(const String& S);
bool TryStrToFloat(const String& S, double& Value);

// ---------------------------------------------------------------- strings

String UpperCase(const String& S);
String LowerCase(const String& S);
// Removes leading and trailing characters with codes 0..32.
String Trim(const String& S);
String TrimLeft(const String& S);
String TrimRight(const String& S);
Integer CompareStr(const String& S1, const String& S2);
// Case-insensitive (ASCII) comparison.
Integer CompareText(const String& S1, const String& S2);
bool SameText(const String& S1, const String& S2);
// 1-based position of Sub in S; 0 when absent.
Integer Pos(const String& Sub, const String& S);
// 1-based substring as the framework's Copy; out-of-range parts are clipped.
String Copy(const String& S, Integer Index, Integer Count);
String StringOfChar(char C, Integer Count);
String QuotedStr(const String& S);

enum TReplaceFlag { rfReplaceAll = 1, rfIgnoreCase = 2 };
String StringReplace(const String& S, const String& OldPattern, const String& NewPattern, int Flags);

// ---------------------------------------------------------------- files

inline constexpr char PathDelim = '/';
bool FileExists(const String& FileName);
bool DirectoryExists(const String& Dir);
bool DeleteFile(const String& FileName);
bool ForceDirectories(const String& Dir);
String ExtractFilePath(const String& FileName); // with trailing delimiter
String ExtractFileDir(const String& FileName);  // without trailing delimiter
String ExtractFileName(const String& FileName);
String ExtractFileExt(const String& FileName); // with the dot
String ChangeFileExt(const String& FileName, const String& Extension);
String IncludeTrailingPathDelimiter(const String& S);
String ExcludeTrailingPathDelimiter(const String& S);
String GetCurrentDir();
String ExpandFileName(const String& FileName);
String SysErrorMessage(int ErrorCode);
// A whole file's bytes; raises EFOpenError "Cannot open file ..." on failure.
String ReadFileText(const String& FileName);
// Replaces a file's contents; raises EFCreateError / EWriteError on failure.
void WriteFileText(const String& FileName, const String& Text);
// Writes Bytes to a new temporary file in FileName's folder and renames it
// to FileName, so FileName is either replaced whole or left as it was (a
// symbolic link is followed to the file it names). The file keeps its mode;
// a new one gets the usual mode (0666 less the umask). Raises EFCreateError
// when the temporary file cannot be made and EWriteError when writing or
// renaming fails; the temporary file is gone either way.
void WriteFileAtomically(const String& FileName, const String& Bytes);

// ---------------------------------------------------------------- date and time

TDateTime Now();
TDateTime Date();
TDateTime EncodeDate(Word Year, Word Month, Word Day);
TDateTime EncodeTime(Word Hour, Word Min, Word Sec, Word MSec);
void DecodeDate(TDateTime DateTime, Word& Year, Word& Month, Word& Day);
void DecodeTime(TDateTime DateTime, Word& Hour, Word& Min, Word& Sec, Word& MSec);
Integer DayOfWeek(TDateTime DateTime); // 1 = Sunday

// The locale's formats (fixed US-English defaults, as the framework's on such a system).
struct TFormatSettings {
    String ShortDateFormat = "m/d/yyyy";
    String LongDateFormat = "dddd, mmmm d, yyyy";
    String ShortTimeFormat = "h:nn AMPM";
    String LongTimeFormat = "h:nn:ss AMPM";
    String TimeAMString = "AM";
    String TimePMString = "PM";
    char DateSeparator = '/';
    char TimeSeparator = ':';
    char DecimalSeparator = '.';
    char ThousandSeparator = ',';
};
extern TFormatSettings FormatSettings;

String FormatDateTime(const String& Fmt, TDateTime DateTime);
// The default date-time text: short date, and the long time unless it is midnight.
String DateTimeToStr(TDateTime DateTime);
String DateToStr(TDateTime DateTime);
String TimeToStr(TDateTime DateTime);
