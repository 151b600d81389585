#include "platform/forms/FormText.h"

#include <cmath>
#include <limits>

namespace {

// Objects and values nest at most this deep; deeper input is refused rather
// than risking the stack.
constexpr Integer kMaxDepth = 200;

enum TTokenKind { tkEnd, tkIdent, tkInteger, tkFloat, tkString, tkSymbol, tkBinary };

struct TToken {
    TTokenKind Kind = tkEnd;
    Integer Line = 1;
    String Text; // identifier, string (decoded), symbol
    Int64 Int = 0;
    double Float = 0;
    TBytes Binary;
};

bool IsIdentStart(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}
bool IsIdentChar(char c) {
    return IsIdentStart(c) || (c >= '0' && c <= '9');
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

void AppendUtf8(String& S, UInt64 Code) {
    if (Code < 0x80) {
        S += static_cast<char>(Code);
    } else if (Code < 0x800) {
        S += static_cast<char>(0xC0 | (Code >> 6));
        S += static_cast<char>(0x80 | (Code & 0x3F));
    } else if (Code < 0x10000) {
        S += static_cast<char>(0xE0 | (Code >> 12));
        S += static_cast<char>(0x80 | ((Code >> 6) & 0x3F));
        S += static_cast<char>(0x80 | (Code & 0x3F));
    } else {
        S += static_cast<char>(0xF0 | (Code >> 18));
        S += static_cast<char>(0x80 | ((Code >> 12) & 0x3F));
        S += static_cast<char>(0x80 | ((Code >> 6) & 0x3F));
        S += static_cast<char>(0x80 | (Code & 0x3F));
    }
}

class TLexer {
public:
    TLexer(const String& Text, const String& FileName) : FText(Text), FFileName(FileName) {}

    [[noreturn]] void Error(Integer Line, const String& Detail) const {
        throw EFormError(FFileName, Line, String(), Detail);
    }

    TToken Next() {
        SkipBlanks();
        TToken t;
        t.Line = FLine;
        if (FPos >= FText.size()) return t;
        char c = FText[FPos];
        if (IsIdentStart(c)) {
            size_t start = FPos;
            while (FPos < FText.size() &&
                   (IsIdentChar(FText[FPos]) ||
                    (FText[FPos] == '.' && FPos + 1 < FText.size() && IsIdentStart(FText[FPos + 1]))))
                ++FPos;
            t.Kind = tkIdent;
            t.Text = FText.substr(start, FPos - start);
            return t;
        }
        if (IsDigit(c) || c == '$' ||
            ((c == '-' || c == '+') && FPos + 1 < FText.size() &&
             (IsDigit(FText[FPos + 1]) || FText[FPos + 1] == '$')))
            return Number(t);
        if (c == '\'' || c == '#') return StringToken(t);
        if (c == '{') return BinaryToken(t);
        ++FPos;
        t.Kind = tkSymbol;
        t.Text = String(1, c);
        if (String("=:[](),<>+").find(c) == String::npos)
            Error(t.Line, "Invalid character '" + PrintableChar(c) + "'");
        return t;
    }

private:
    static String PrintableChar(char c) {
        unsigned char u = static_cast<unsigned char>(c);
        if (u >= 32 && u < 127) return String(1, c);
        return "#" + IntToStr(u);
    }

    void SkipBlanks() {
        while (FPos < FText.size()) {
            char c = FText[FPos];
            if (c == '\n')
                ++FLine;
            else if (c != ' ' && c != '\t' && c != '\r')
                break;
            ++FPos;
        }
    }

    TToken Number(TToken& t) {
        bool negative = false;
        if (FText[FPos] == '-' || FText[FPos] == '+') {
            negative = FText[FPos] == '-';
            ++FPos;
        }
        if (FText[FPos] == '$') {
            ++FPos;
            UInt64 v = 0;
            size_t digits = 0;
            while (FPos < FText.size() && HexValue(FText[FPos]) >= 0) {
                if (digits == 16) Error(t.Line, "Hexadecimal number too large");
                v = v * 16 + static_cast<UInt64>(HexValue(FText[FPos++]));
                ++digits;
            }
            if (digits == 0) Error(t.Line, "Hexadecimal digits expected after '$'");
            t.Kind = tkInteger;
            t.Int = static_cast<Int64>(negative ? 0 - v : v);
            return t;
        }
        size_t start = FPos;
        while (FPos < FText.size() && IsDigit(FText[FPos]))
            ++FPos;
        bool isFloat = false;
        if (FPos + 1 < FText.size() && FText[FPos] == '.' && IsDigit(FText[FPos + 1])) {
            isFloat = true;
            ++FPos;
            while (FPos < FText.size() && IsDigit(FText[FPos]))
                ++FPos;
        }
        if (FPos < FText.size() && (FText[FPos] == 'e' || FText[FPos] == 'E')) {
            size_t save = FPos++;
            if (FPos < FText.size() && (FText[FPos] == '-' || FText[FPos] == '+')) ++FPos;
            if (FPos < FText.size() && IsDigit(FText[FPos])) {
                isFloat = true;
                while (FPos < FText.size() && IsDigit(FText[FPos]))
                    ++FPos;
            } else {
                FPos = save;
            }
        }
        String text = FText.substr(start, FPos - start);
        if (isFloat) {
            // A single, currency or date suffix may follow a stored number.
            if (FPos < FText.size() && String("scdSCD").find(FText[FPos]) != String::npos) ++FPos;
            double v = 0;
            if (!TryStrToFloat(text, v) || !std::isfinite(v)) Error(t.Line, "Invalid number " + text);
            t.Kind = tkFloat;
            t.Float = negative ? -v : v;
            return t;
        }
        UInt64 v = 0;
        for (char d : text) {
            UInt64 digit = static_cast<UInt64>(d - '0');
            if (v > (UInt64(INT64_MAX) + (negative ? 1 : 0) - digit) / 10)
                Error(t.Line, "Number too large: " + text);
            v = v * 10 + digit;
        }
        t.Kind = tkInteger;
        t.Int = negative ? static_cast<Int64>(0 - v) : static_cast<Int64>(v);
        return t;
    }

    // 'quoted' parts and #code characters, written next to each other.
    TToken StringToken(TToken& t) {
        t.Kind = tkString;
        while (FPos < FText.size()) {
            char c = FText[FPos];
            if (c == '\'') {
                ++FPos;
                while (true) {
                    if (FPos >= FText.size() || FText[FPos] == '\n' || FText[FPos] == '\r')
                        Error(t.Line, "Unterminated string");
                    if (FText[FPos] == '\'') {
                        if (FPos + 1 < FText.size() && FText[FPos + 1] == '\'') {
                            t.Text += '\'';
                            FPos += 2;
                            continue;
                        }
                        ++FPos;
                        break;
                    }
                    t.Text += FText[FPos++];
                }
            } else if (c == '#') {
                ++FPos;
                UInt64 code = 0;
                size_t digits = 0;
                if (FPos < FText.size() && FText[FPos] == '$') {
                    ++FPos;
                    while (FPos < FText.size() && HexValue(FText[FPos]) >= 0 && digits < 8) {
                        code = code * 16 + static_cast<UInt64>(HexValue(FText[FPos++]));
                        ++digits;
                    }
                } else {
                    while (FPos < FText.size() && IsDigit(FText[FPos]) && digits < 8) {
                        code = code * 10 + static_cast<UInt64>(FText[FPos++] - '0');
                        ++digits;
                    }
                }
                if (digits == 0) Error(t.Line, "Character code expected after '#'");
                if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
                    Error(t.Line, "Invalid character code #" + IntToStr(static_cast<Int64>(code)));
                AppendUtf8(t.Text, code);
            } else {
                break;
            }
        }
        return t;
    }

    TToken BinaryToken(TToken& t) {
        ++FPos; // {
        t.Kind = tkBinary;
        int high = -1;
        while (true) {
            if (FPos >= FText.size()) Error(t.Line, "Unterminated binary data");
            char c = FText[FPos++];
            if (c == '}') break;
            if (c == '\n') {
                ++FLine;
                continue;
            }
            if (c == ' ' || c == '\t' || c == '\r') continue;
            int v = HexValue(c);
            if (v < 0) Error(FLine, "Invalid character '" + PrintableChar(c) + "' in binary data");
            if (high < 0) {
                high = v;
            } else {
                t.Binary.push_back(static_cast<Byte>(high * 16 + v));
                high = -1;
            }
        }
        if (high >= 0) Error(t.Line, "Binary data has an odd number of digits");
        return t;
    }

    const String& FText;
    String FFileName;
    size_t FPos = 0;
    Integer FLine = 1;
};

class TParser {
public:
    TParser(const String& Text, const String& FileName) : FLexer(Text, FileName) { Advance(); }

    TFormObject Parse() {
        TFormObject root = ParseObject(0);
        if (FToken.Kind != tkEnd) Error("End of file expected after the last 'end'");
        return root;
    }

private:
    void Advance() { FToken = FLexer.Next(); }
    [[noreturn]] void Error(const String& Detail) const { FLexer.Error(FToken.Line, Detail); }

    bool IsSymbol(char c) const { return FToken.Kind == tkSymbol && FToken.Text[0] == c; }
    bool IsKeyword(const char* K) const { return FToken.Kind == tkIdent && SameText(FToken.Text, K); }
    bool IsObjectStart() const {
        return IsKeyword("object") || IsKeyword("inherited") || IsKeyword("inline");
    }

    void Expect(char c) {
        if (!IsSymbol(c)) Error(String("'") + c + "' expected but " + Describe() + " found");
        Advance();
    }

    String Describe() const {
        switch (FToken.Kind) {
        case tkEnd:
            return "end of file";
        case tkIdent:
            return "'" + FToken.Text + "'";
        case tkInteger:
        case tkFloat:
            return "number";
        case tkString:
            return "string";
        case tkBinary:
            return "binary data";
        case tkSymbol:
            return "'" + FToken.Text + "'";
        }
        return "?";
    }

    String ExpectIdent(const char* What) {
        if (FToken.Kind != tkIdent) Error(String(What) + " expected but " + Describe() + " found");
        String s = FToken.Text;
        Advance();
        return s;
    }

    TFormObject ParseObject(Integer Depth) {
        if (Depth > kMaxDepth) Error("Objects nested too deeply");
        TFormObject obj;
        obj.Line = FToken.Line;
        if (IsKeyword("object"))
            obj.Kind = TFormObject::fkObject;
        else if (IsKeyword("inherited"))
            obj.Kind = TFormObject::fkInherited;
        else if (IsKeyword("inline"))
            obj.Kind = TFormObject::fkInline;
        else
            Error("'object' expected but " + Describe() + " found");
        Advance();
        String first = ExpectIdent("Component name or class");
        if (IsSymbol(':')) {
            Advance();
            obj.Name = first;
            obj.ClassName = ExpectIdent("Class name");
        } else {
            obj.ClassName = first;
        }
        if (IsSymbol('[')) { // position among the ancestor's children; not needed here
            Advance();
            if (FToken.Kind != tkInteger) Error("Integer expected after '['");
            Advance();
            Expect(']');
        }
        while (!IsKeyword("end")) {
            if (FToken.Kind == tkEnd)
                Error("'end' expected for object " + (obj.Name.empty() ? obj.ClassName : obj.Name));
            if (IsObjectStart())
                obj.Children.push_back(ParseObject(Depth + 1));
            else
                obj.Properties.push_back(ParseProperty(Depth + 1));
        }
        Advance(); // end
        return obj;
    }

    TFormProperty ParseProperty(Integer Depth) {
        TFormProperty p;
        p.Line = FToken.Line;
        p.Name = ExpectIdent("Property name");
        Expect('=');
        p.Value = ParseValue(Depth);
        return p;
    }

    static TValueType IntType(Int64 v) {
        if (v >= INT8_MIN && v <= INT8_MAX) return vaInt8;
        if (v >= INT16_MIN && v <= INT16_MAX) return vaInt16;
        if (v >= INT32_MIN && v <= INT32_MAX) return vaInt32;
        return vaInt64;
    }

    TFormValue ParseValue(Integer Depth) {
        if (Depth > kMaxDepth) Error("Values nested too deeply");
        TFormValue v;
        v.Line = FToken.Line;
        switch (FToken.Kind) {
        case tkInteger:
            v.Type = IntType(FToken.Int);
            v.Int = FToken.Int;
            Advance();
            return v;
        case tkFloat:
            v.Type = vaExtended;
            v.Float = FToken.Float;
            Advance();
            return v;
        case tkString:
            v.Str = FToken.Text;
            Advance();
            while (IsSymbol('+')) {
                Advance();
                if (FToken.Kind != tkString) Error("String expected after '+' but " + Describe() + " found");
                v.Str += FToken.Text;
                Advance();
            }
            v.Type = v.Str.size() <= 255 ? vaString : vaLString;
            return v;
        case tkIdent:
            v.Str = FToken.Text;
            if (SameText(v.Str, "True"))
                v.Type = vaTrue;
            else if (SameText(v.Str, "False"))
                v.Type = vaFalse;
            else if (SameText(v.Str, "nil"))
                v.Type = vaNil;
            else
                v.Type = vaIdent;
            Advance();
            return v;
        case tkBinary:
            v.Type = vaBinary;
            v.Binary = std::move(FToken.Binary);
            Advance();
            return v;
        case tkSymbol:
            break;
        case tkEnd:
            Error("Value expected but end of file found");
        }
        if (IsSymbol('[')) {
            v.Type = vaSet;
            Advance();
            if (!IsSymbol(']')) {
                while (true) {
                    v.Set.push_back(ExpectIdent("Set element"));
                    if (IsSymbol(']')) break;
                    Expect(',');
                }
            }
            Advance();
            return v;
        }
        if (IsSymbol('(')) {
            v.Type = vaList;
            Advance();
            while (!IsSymbol(')'))
                v.List.push_back(ParseValue(Depth + 1));
            Advance();
            return v;
        }
        if (IsSymbol('<')) {
            v.Type = vaCollection;
            Advance();
            while (!IsSymbol('>')) {
                if (!IsKeyword("item")) Error("'item' expected but " + Describe() + " found");
                Advance();
                if (IsSymbol('[')) {
                    Advance();
                    if (FToken.Kind != tkInteger) Error("Integer expected after '['");
                    Advance();
                    Expect(']');
                }
                std::vector<TFormProperty> item;
                while (!IsKeyword("end")) {
                    if (FToken.Kind == tkEnd) Error("'end' expected for a collection item");
                    item.push_back(ParseProperty(Depth + 1));
                }
                Advance();
                v.Items.push_back(std::move(item));
            }
            Advance();
            return v;
        }
        Error("Value expected but " + Describe() + " found");
    }

    TLexer FLexer;
    TToken FToken;
};

} // namespace

EFormError::EFormError(const String& AFileName, Integer ALine, const String& APropPath, const String& ADetail)
    : EReadError((AFileName.empty() ? String("form description") : AFileName) + ", line " + IntToStr(ALine) +
                 (APropPath.empty() ? String() : ", property " + APropPath) + ": " + ADetail),
      FileName(AFileName), Line(ALine), PropPath(APropPath), Detail(ADetail) {}

TFormObject ParseFormText(const String& Text, const String& FileName) {
    TParser parser(Text, FileName);
    return parser.Parse();
}
