#include "platform/rtl/SysUtils.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

void Abort() { throw EAbort("Operation aborted"); }

// ================================================================ Format

namespace {

[[noreturn]] void InvalidFormat(std::string_view fmt) {
    throw EConvertError("Format '" + String(fmt) + "' invalid or incompatible with argument");
}
[[noreturn]] void ArgumentMissing(std::string_view fmt) {
    throw EConvertError("No argument for format '" + String(fmt) + "'");
}

String HexDigits(UInt64 v, bool upper) {
    const char* digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    if (v == 0) return "0";
    String r;
    while (v) {
        r.insert(r.begin(), digits[v & 15]);
        v >>= 4;
    }
    return r;
}

String Pad(const String& s, int width, bool left) {
    if (width <= 0 || static_cast<int>(s.size()) >= width) return s;
    String fill(static_cast<size_t>(width) - s.size(), ' ');
    return left ? s + fill : fill + s;
}

String InsertThousands(const String& digits) {
    String r;
    int n = static_cast<int>(digits.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) r += FormatSettings.ThousandSeparator;
        r += digits[static_cast<size_t>(i)];
    }
    return r;
}

String FormatFixed(double v, int prec, bool thousands) {
    if (prec < 0) prec = 2;
    if (prec > 18) prec = 18;
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.*f", prec, v);
    String s = buf;
    if (FormatSettings.DecimalSeparator != '.') std::replace(s.begin(), s.end(), '.', FormatSettings.DecimalSeparator);
    if (!thousands) return s;
    bool neg = !s.empty() && s[0] == '-';
    String body = neg ? s.substr(1) : s;
    auto dot = body.find(FormatSettings.DecimalSeparator);
    String ip = dot == String::npos ? body : body.substr(0, dot);
    String fp = dot == String::npos ? String() : body.substr(dot);
    return (neg ? "-" : "") + InsertThousands(ip) + fp;
}

// Scientific notation as the framework writes it: d.dddE+ddd, prec significant digits.
String FormatScientific(double v, int prec) {
    if (prec <= 0 || prec > 18) prec = 15;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*E", prec - 1, v);
    String s = buf;
    auto e = s.find('E');
    String mant = s.substr(0, e);
    char sign = s[e + 1];
    String exp = s.substr(e + 2);
    while (exp.size() < 3) exp.insert(exp.begin(), '0');
    if (FormatSettings.DecimalSeparator != '.') std::replace(mant.begin(), mant.end(), '.', FormatSettings.DecimalSeparator);
    return mant + "E" + sign + exp;
}

String FormatGeneral(double v, int prec) {
    if (prec <= 0 || prec > 18) prec = 15;
    if (v == 0) return "0";
    if (std::isnan(v)) return "NAN";
    if (std::isinf(v)) return v > 0 ? "INF" : "-INF";
    int exp10 = static_cast<int>(std::floor(std::log10(std::fabs(v))));
    if (exp10 >= prec || exp10 < -5) {
        String s = FormatScientific(v, prec);
        // Remove trailing zeros of the mantissa.
        auto e = s.find('E');
        String mant = s.substr(0, e), rest = s.substr(e);
        if (mant.find(FormatSettings.DecimalSeparator) != String::npos) {
            while (!mant.empty() && mant.back() == '0') mant.pop_back();
            if (!mant.empty() && mant.back() == FormatSettings.DecimalSeparator) mant.pop_back();
        }
        return mant + rest;
    }
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.*f", std::max(0, prec - 1 - exp10), v);
    String s = buf;
    if (s.find('.') != String::npos) {
        while (!s.empty() && s.back() == '0') s.pop_back();
        if (!s.empty() && s.back() == '.') s.pop_back();
    }
    if (FormatSettings.DecimalSeparator != '.') std::replace(s.begin(), s.end(), '.', FormatSettings.DecimalSeparator);
    return s;
}

} // namespace

String Format(std::string_view fmt, std::initializer_list<TVarRec> argList) {
    const TVarRec* args = argList.begin();
    const int argCount = static_cast<int>(argList.size());
    String out;
    int next = 0;
    size_t i = 0;
    while (i < fmt.size()) {
        char c = fmt[i];
        if (c != '%') {
            out += c;
            ++i;
            continue;
        }
        size_t start = i++;
        if (i >= fmt.size()) InvalidFormat(fmt);
        if (fmt[i] == '%') {
            out += '%';
            ++i;
            continue;
        }
        auto readNumber = [&](int& value) -> bool {
            if (i < fmt.size() && fmt[i] == '*') {
                ++i;
                if (next >= argCount) ArgumentMissing(fmt);
                const TVarRec& a = args[next++];
                if (a.Kind != TVarRec::vtInteger) InvalidFormat(fmt);
                value = static_cast<int>(a.I);
                return true;
            }
            if (i >= fmt.size() || fmt[i] < '0' || fmt[i] > '9') return false;
            value = 0;
            while (i < fmt.size() && fmt[i] >= '0' && fmt[i] <= '9') {
                value = std::min(value * 10 + (fmt[i] - '0'), 100000);
                ++i;
            }
            return true;
        };
        int width = -1, prec = -1;
        bool left = false;
        // Optional "index:" — a number or "*" followed by a colon.
        {
            size_t save = i;
            int saveNext = next;
            int idx;
            if (readNumber(idx) && i < fmt.size() && fmt[i] == ':') {
                ++i;
                next = idx;
            } else {
                i = save;
                next = saveNext;
            }
        }
        if (i < fmt.size() && fmt[i] == '-') {
            left = true;
            ++i;
        }
        readNumber(width);
        if (i < fmt.size() && fmt[i] == '.') {
            ++i;
            if (!readNumber(prec)) prec = 0;
        }
        if (i >= fmt.size()) InvalidFormat(fmt);
        char type = fmt[i++];
        std::string_view spec = fmt.substr(start, i - start);
        (void)spec;
        if (next < 0 || next >= argCount) ArgumentMissing(fmt);
        const TVarRec& a = args[next++];
        String s;
        switch (type) {
        case 'd':
        case 'D':
        case 'u':
        case 'U': {
            if (a.Kind != TVarRec::vtInteger && a.Kind != TVarRec::vtInt64) InvalidFormat(fmt);
            Int64 v = a.I;
            bool unsignedType = (type == 'u' || type == 'U');
            UInt64 mag;
            bool neg = false;
            if (unsignedType) {
                mag = a.Kind == TVarRec::vtInteger ? static_cast<UInt64>(static_cast<std::uint32_t>(v))
                                                   : static_cast<UInt64>(v);
            } else {
                neg = v < 0;
                mag = neg ? static_cast<UInt64>(-(v + 1)) + 1 : static_cast<UInt64>(v);
            }
            String digits = std::to_string(mag);
            if (prec > static_cast<int>(digits.size())) digits.insert(0, static_cast<size_t>(prec) - digits.size(), '0');
            s = (neg ? "-" : "") + digits;
            break;
        }
        case 'x':
        case 'X': {
            if (a.Kind != TVarRec::vtInteger && a.Kind != TVarRec::vtInt64) InvalidFormat(fmt);
            UInt64 v = a.Kind == TVarRec::vtInteger ? static_cast<UInt64>(static_cast<std::uint32_t>(a.I))
                                                    : static_cast<UInt64>(a.I);
            s = HexDigits(v, type == 'X');
            if (prec > static_cast<int>(s.size())) s.insert(0, static_cast<size_t>(prec) - s.size(), '0');
            break;
        }
        case 's':
        case 'S':
            if (a.Kind != TVarRec::vtString && a.Kind != TVarRec::vtChar) InvalidFormat(fmt);
            s = a.S;
            if (prec >= 0 && static_cast<int>(s.size()) > prec) s.resize(static_cast<size_t>(prec));
            break;
        case 'f':
        case 'F':
        case 'n':
        case 'N':
        case 'm':
        case 'M':
        case 'e':
        case 'E':
        case 'g':
        case 'G': {
            double v;
            if (a.Kind == TVarRec::vtExtended)
                v = a.D;
            else
                InvalidFormat(fmt);
            char t = static_cast<char>(type | 0x20);
            if (t == 'f')
                s = FormatFixed(v, prec, false);
            else if (t == 'n')
                s = FormatFixed(v, prec, true);
            else if (t == 'm')
                s = "$" + FormatFixed(v, prec < 0 ? 2 : prec, true);
            else if (t == 'e')
                s = FormatScientific(v, prec);
            else
                s = FormatGeneral(v, prec);
            break;
        }
        case 'p':
        case 'P':
            if (a.Kind != TVarRec::vtPointer) InvalidFormat(fmt);
            s = HexDigits(reinterpret_cast<std::uintptr_t>(a.P), true);
            s.insert(0, sizeof(void*) * 2 - s.size(), '0');
            break;
        default:
            InvalidFormat(fmt);
        }
        out += Pad(s, width, left);
    }
    return out;
}

// ================================================================ numbers

String IntToStr(Int64 Value) { return std::to_string(Value); }

String IntToHex(Int64 Value, Integer Digits) {
    String s = HexDigits(static_cast<UInt64>(Value), true);
    if (Digits > static_cast<Integer>(s.size())) s.insert(0, static_cast<size_t>(Digits) - s.size(), '0');
    return s;
}

bool TryStrToInt64(const String& S, Int64& Value) {
    size_t i = 0;
    while (i < S.size() && S[i] == ' ') ++i;
    bool neg = false;
    if (i < S.size() && (S[i] == '+' || S[i] == '-')) {
        neg = S[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < S.size() && S[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < S.size() && S[i] == '0' && (S[i + 1] == 'x' || S[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= S.size()) return false;
    UInt64 v = 0;
    for (; i < S.size(); ++i) {
        int d;
        char c = S[i];
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            return false;
        if (v > (UINT64_MAX - static_cast<UInt64>(d)) / static_cast<UInt64>(base)) return false;
        v = v * static_cast<UInt64>(base) + static_cast<UInt64>(d);
    }
    if (base == 10) {
        if (neg ? v > static_cast<UInt64>(INT64_MAX) + 1 : v > static_cast<UInt64>(INT64_MAX)) return false;
        Value = neg ? static_cast<Int64>(0 - v) : static_cast<Int64>(v);
    } else {
        // Hex digits give the bit pattern, as the framework's Val does.
        Value = static_cast<Int64>(neg ? 0 - v : v);
    }
    return true;
}

bool TryStrToInt(const String& S, Integer& Value) {
    Int64 v;
    if (!TryStrToInt64(S, v)) return false;
    // Hex may give a full 32-bit pattern ($FFFFFFFF = -1); decimal must fit.
    bool hex = S.find('$') != String::npos || S.find("0x") != String::npos || S.find("0X") != String::npos;
    if (hex) {
        if (v > static_cast<Int64>(UINT32_MAX) || v < INT32_MIN) return false;
        Value = static_cast<Integer>(static_cast<std::uint32_t>(v));
        return true;
    }
    if (v < INT32_MIN || v > INT32_MAX) return false;
    Value = static_cast<Integer>(v);
    return true;
}

Integer StrToInt(const String& S) {
    Integer v;
    if (!TryStrToInt(S, v)) throw EConvertError("'" + S + "' is not a valid integer value");
    return v;
}

Int64 StrToInt64(const String& S) {
    Int64 v;
    if (!TryStrToInt64(S, v)) throw EConvertError("'" + S + "' is not a valid integer value");
    return v;
}

Integer StrToIntDef(const String& S, Integer Default) {
    Integer v;
    return TryStrToInt(S, v) ? v : Default;
}

String FloatToStr(double Value) { return FormatGeneral(Value, 15); }

bool TryStrToFloat(const String& S, double& Value) {
    String t = Trim(S);
    if (t.empty()) return false;
    if (FormatSettings.DecimalSeparator != '.') std::replace(t.begin(), t.end(), FormatSettings.DecimalSeparator, '.');
    char* end = nullptr;
    errno = 0;
    double v = std::strtod(t.c_str(), &end);
    if (end != t.c_str() + t.size() || errno == ERANGE) return false;
    Value = v;
    return true;
}

double StrToFloat(const String& S) {
    double v;
    if (!TryStrToFloat(S, v)) throw EConvertError("'" + S + "' is not a valid floating point value");
    return v;
}

// ================================================================ strings

String UpperCase(const String& S) {
    String r = S;
    for (auto& c : r)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return r;
}

String LowerCase(const String& S) {
    String r = S;
    for (auto& c : r)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return r;
}

static bool IsTrimmed(char c) { return static_cast<unsigned char>(c) <= ' '; }

String Trim(const String& S) { return TrimRight(TrimLeft(S)); }

String TrimLeft(const String& S) {
    size_t i = 0;
    while (i < S.size() && IsTrimmed(S[i])) ++i;
    return S.substr(i);
}

String TrimRight(const String& S) {
    size_t n = S.size();
    while (n > 0 && IsTrimmed(S[n - 1])) --n;
    return S.substr(0, n);
}

Integer CompareStr(const String& S1, const String& S2) {
    int r = S1.compare(S2);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

Integer CompareText(const String& S1, const String& S2) { return CompareStr(UpperCase(S1), UpperCase(S2)); }

bool SameText(const String& S1, const String& S2) { return CompareText(S1, S2) == 0; }

Integer Pos(const String& Sub, const String& S) {
    if (Sub.empty()) return 0;
    auto p = S.find(Sub);
    return p == String::npos ? 0 : static_cast<Integer>(p) + 1;
}

String Copy(const String& S, Integer Index, Integer Count) {
    if (Index < 1) Index = 1;
    if (Count <= 0 || Index > static_cast<Integer>(S.size())) return String();
    return S.substr(static_cast<size_t>(Index - 1), static_cast<size_t>(Count));
}

String StringOfChar(char C, Integer Count) { return Count > 0 ? String(static_cast<size_t>(Count), C) : String(); }

String QuotedStr(const String& S) {
    String r = "'";
    for (char c : S) {
        r += c;
        if (c == '\'') r += '\'';
    }
    return r + "'";
}

String StringReplace(const String& S, const String& OldPattern, const String& NewPattern, int Flags) {
    if (OldPattern.empty()) return S;
    const bool all = Flags & rfReplaceAll;
    const String hay = (Flags & rfIgnoreCase) ? UpperCase(S) : S;
    const String pat = (Flags & rfIgnoreCase) ? UpperCase(OldPattern) : OldPattern;
    String r;
    size_t pos = 0;
    while (true) {
        size_t f = hay.find(pat, pos);
        if (f == String::npos) break;
        r.append(S, pos, f - pos);
        r += NewPattern;
        pos = f + pat.size();
        if (!all) break;
    }
    r.append(S, pos, String::npos);
    return r;
}

// ================================================================ files

bool FileExists(const String& FileName) {
    struct stat st;
    return !FileName.empty() && ::stat(FileName.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const String& Dir) {
    struct stat st;
    return !Dir.empty() && ::stat(Dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool DeleteFile(const String& FileName) { return ::unlink(FileName.c_str()) == 0; }

bool ForceDirectories(const String& Dir) {
    std::error_code ec;
    fs::create_directories(fs::path(Dir), ec);
    return DirectoryExists(Dir);
}

String ExtractFilePath(const String& FileName) {
    auto p = FileName.rfind(PathDelim);
    return p == String::npos ? String() : FileName.substr(0, p + 1);
}

String ExtractFileDir(const String& FileName) {
    auto p = FileName.rfind(PathDelim);
    if (p == String::npos) return String();
    return p == 0 ? String("/") : FileName.substr(0, p);
}

String ExtractFileName(const String& FileName) {
    auto p = FileName.rfind(PathDelim);
    return p == String::npos ? FileName : FileName.substr(p + 1);
}

String ExtractFileExt(const String& FileName) {
    auto slash = FileName.rfind(PathDelim);
    auto dot = FileName.rfind('.');
    if (dot == String::npos || (slash != String::npos && dot < slash)) return String();
    return FileName.substr(dot);
}

String ChangeFileExt(const String& FileName, const String& Extension) {
    String ext = ExtractFileExt(FileName);
    return FileName.substr(0, FileName.size() - ext.size()) + Extension;
}

String IncludeTrailingPathDelimiter(const String& S) {
    return (!S.empty() && S.back() == PathDelim) ? S : S + PathDelim;
}

String ExcludeTrailingPathDelimiter(const String& S) {
    return (S.size() > 1 && S.back() == PathDelim) ? S.substr(0, S.size() - 1) : S;
}

String GetCurrentDir() {
    std::error_code ec;
    auto p = fs::current_path(ec);
    return ec ? String() : p.string();
}

String ExpandFileName(const String& FileName) {
    std::error_code ec;
    auto p = fs::absolute(fs::path(FileName), ec);
    return ec ? FileName : p.lexically_normal().string();
}

String SysErrorMessage(int ErrorCode) { return std::strerror(ErrorCode); }

String ReadFileText(const String& FileName) {
    std::ifstream in(FileName, std::ios::binary);
    if (!in) throw EFOpenError("Cannot open file \"" + FileName + "\". " + SysErrorMessage(errno));
    // A file of known size is read in one piece into a string of that size
    // (a stream buffer would grow by doubling and then be copied: three
    // times the file at its peak). What a pipe holds, or what a file gained
    // meanwhile, is read after it.
    String text;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    in.clear();
    in.seekg(0);
    in.clear();
    if (size > 0) {
        text.resize(static_cast<std::size_t>(size));
        in.read(text.data(), size);
        text.resize(static_cast<std::size_t>(in.gcount()));
    }
    if (in.good() && in.peek() != std::char_traits<char>::eof()) {
        std::ostringstream rest;
        rest << in.rdbuf();
        text += rest.str();
    }
    return text;
}

void WriteFileText(const String& FileName, const String& Text) {
    std::ofstream out(FileName, std::ios::binary | std::ios::trunc);
    if (!out) throw EFCreateError("Cannot create file \"" + FileName + "\". " + SysErrorMessage(errno));
    out.write(Text.data(), static_cast<std::streamsize>(Text.size()));
    out.flush();
    if (!out) throw EWriteError("Cannot write file \"" + FileName + "\". " + SysErrorMessage(errno));
}

// ================================================================ date and time

TFormatSettings FormatSettings;

namespace {
constexpr double kMSecsPerDay = 86400000.0;
constexpr int kUnixDateDelta = 25569; // days from 1899-12-30 to 1970-01-01

bool IsLeapYear(int y) { return (y % 4 == 0) && (y % 100 != 0 || y % 400 == 0); }

// Days from 0001-01-01 (day 1) as the framework counts, for the epoch shift.
long DaysFromCivil(int y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long>(doe) - 719468; // days since 1970-01-01
}

void CivilFromDays(long z, int& y, unsigned& m, unsigned& d) {
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    y = static_cast<int>(yoe) + static_cast<int>(era) * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y += (m <= 2);
}

const char* const kShortMonth[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const kLongMonth[] = {"January", "February", "March",     "April",   "May",      "June",
                                  "July",    "August",   "September", "October", "November", "December"};
const char* const kShortDay[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const kLongDay[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
} // namespace

TDateTime Now() {
    using namespace std::chrono;
    auto now = system_clock::now();
    std::time_t t = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    return EncodeDate(static_cast<Word>(local.tm_year + 1900), static_cast<Word>(local.tm_mon + 1),
                      static_cast<Word>(local.tm_mday)) +
           EncodeTime(static_cast<Word>(local.tm_hour), static_cast<Word>(local.tm_min),
                      static_cast<Word>(local.tm_sec), static_cast<Word>(ms));
}

TDateTime Date() { return std::floor(Now()); }

TDateTime EncodeDate(Word Year, Word Month, Word Day) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 ||
        Day > kDays[Month - 1] + (Month == 2 && IsLeapYear(Year) ? 1 : 0))
        throw EConvertError("Invalid argument to date encode");
    return static_cast<double>(DaysFromCivil(Year, Month, Day) + kUnixDateDelta);
}

TDateTime EncodeTime(Word Hour, Word Min, Word Sec, Word MSec) {
    if (Hour > 23 || Min > 59 || Sec > 59 || MSec > 999) throw EConvertError("Invalid argument to time encode");
    return (((Hour * 60.0 + Min) * 60.0 + Sec) * 1000.0 + MSec) / kMSecsPerDay;
}

void DecodeDate(TDateTime DateTime, Word& Year, Word& Month, Word& Day) {
    long days = static_cast<long>(std::floor(DateTime)) - kUnixDateDelta;
    int y;
    unsigned m, d;
    CivilFromDays(days, y, m, d);
    Year = static_cast<Word>(y);
    Month = static_cast<Word>(m);
    Day = static_cast<Word>(d);
}

void DecodeTime(TDateTime DateTime, Word& Hour, Word& Min, Word& Sec, Word& MSec) {
    double frac = std::fabs(DateTime - std::trunc(DateTime));
    auto ms = static_cast<long long>(std::llround(frac * kMSecsPerDay));
    if (ms >= 86400000LL) ms = 86399999LL;
    Hour = static_cast<Word>(ms / 3600000);
    Min = static_cast<Word>(ms / 60000 % 60);
    Sec = static_cast<Word>(ms / 1000 % 60);
    MSec = static_cast<Word>(ms % 1000);
}

Integer DayOfWeek(TDateTime DateTime) {
    long days = static_cast<long>(std::floor(DateTime));
    // 1899-12-30 was a Saturday (7).
    long r = (days + 6) % 7;
    if (r < 0) r += 7;
    return static_cast<Integer>(r) + 1;
}

String FormatDateTime(const String& Fmt, TDateTime DT) {
    Word y, mo, d, h, mi, s, ms;
    DecodeDate(DT, y, mo, d);
    DecodeTime(DT, h, mi, s, ms);
    const String f = Fmt.empty() ? String("c") : Fmt;
    auto two = [](int v) { return Format("%.2d", {v}); };
    bool ampm = false;
    {
        String up = UpperCase(f);
        ampm = up.find("AMPM") != String::npos || up.find("AM/PM") != String::npos ||
               up.find("A/P") != String::npos;
    }
    String out;
    bool lastWasHour = false;
    size_t i = 0;
    auto count = [&](char c) {
        size_t n = 0;
        while (i + n < f.size() && (f[i + n] | 0x20) == c) ++n;
        return n;
    };
    while (i < f.size()) {
        char c = f[i];
        char lc = static_cast<char>(c | 0x20);
        if (c == '"' || c == '\'') {
            size_t e = f.find(c, i + 1);
            if (e == String::npos) e = f.size();
            out += f.substr(i + 1, e - i - 1);
            i = e + 1;
            continue;
        }
        if (c == '/') {
            out += FormatSettings.DateSeparator;
            ++i;
            continue;
        }
        if (c == ':') {
            out += FormatSettings.TimeSeparator;
            ++i;
            continue;
        }
        if (lc == 'a') {
            String rest = UpperCase(f.substr(i));
            if (rest.rfind("AMPM", 0) == 0) {
                out += h < 12 ? FormatSettings.TimeAMString : FormatSettings.TimePMString;
                i += 4;
            } else if (rest.rfind("AM/PM", 0) == 0) {
                String src = f.substr(i, 5);
                out += h < 12 ? src.substr(0, 2) : src.substr(3, 2);
                i += 5;
            } else if (rest.rfind("A/P", 0) == 0) {
                String src = f.substr(i, 3);
                out += h < 12 ? src.substr(0, 1) : src.substr(2, 1);
                i += 3;
            } else {
                out += c;
                ++i;
            }
            continue;
        }
        if (lc == 'c') {
            out += FormatDateTime(FormatSettings.ShortDateFormat, DT);
            if (DT - std::floor(DT) != 0) out += " " + FormatDateTime(FormatSettings.LongTimeFormat, DT);
            ++i;
            lastWasHour = false;
            continue;
        }
        if (lc == 'y') {
            size_t n = count('y');
            out += n <= 2 ? two(y % 100) : Format("%.4d", {static_cast<int>(y)});
            i += n;
            continue;
        }
        if (lc == 'm') {
            size_t n = count('m');
            if (lastWasHour && n <= 2) {
                out += n == 1 ? IntToStr(mi) : two(mi);
            } else if (n == 1) {
                out += IntToStr(mo);
            } else if (n == 2) {
                out += two(mo);
            } else if (n == 3) {
                out += kShortMonth[mo - 1];
            } else {
                out += kLongMonth[mo - 1];
            }
            i += n;
            lastWasHour = false;
            continue;
        }
        if (lc == 'd') {
            size_t n = count('d');
            int dow = DayOfWeek(DT) - 1;
            if (n == 1)
                out += IntToStr(d);
            else if (n == 2)
                out += two(d);
            else if (n == 3)
                out += kShortDay[dow];
            else if (n == 4)
                out += kLongDay[dow];
            else if (n == 5)
                out += FormatDateTime(FormatSettings.ShortDateFormat, DT);
            else
                out += FormatDateTime(FormatSettings.LongDateFormat, DT);
            i += n;
            continue;
        }
        if (lc == 'h') {
            size_t n = count('h');
            int hh = h;
            if (ampm) {
                hh = h % 12;
                if (hh == 0) hh = 12;
            }
            out += n == 1 ? IntToStr(hh) : two(hh);
            i += n;
            lastWasHour = true;
            continue;
        }
        if (lc == 'n') {
            size_t n = count('n');
            out += n == 1 ? IntToStr(mi) : two(mi);
            i += n;
            lastWasHour = false;
            continue;
        }
        if (lc == 's') {
            size_t n = count('s');
            out += n == 1 ? IntToStr(s) : two(s);
            i += n;
            lastWasHour = false;
            continue;
        }
        if (lc == 'z') {
            size_t n = count('z');
            out += n == 1 ? IntToStr(ms) : Format("%.3d", {static_cast<int>(ms)});
            i += n;
            continue;
        }
        if (lc == 't') {
            size_t n = count('t');
            out += FormatDateTime(n == 1 ? FormatSettings.ShortTimeFormat : FormatSettings.LongTimeFormat, DT);
            i += n;
            continue;
        }
        out += c;
        ++i;
    }
    return out;
}

String DateTimeToStr(TDateTime DateTime) { return FormatDateTime("c", DateTime); }
String DateToStr(TDateTime DateTime) { return FormatDateTime(FormatSettings.ShortDateFormat, DateTime); }
String TimeToStr(TDateTime DateTime) { return FormatDateTime(FormatSettings.LongTimeFormat, DateTime); }
