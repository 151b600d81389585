#pragma once
// The text form description: its syntax tree and the parser that builds it.
//
//   object MainForm: TMainForm
//     Caption = 'Main'#13#10'window' + ' title'
//     Font.Style = [fsBold]
//     Lines.Strings = ('one' 'two')
//     Glyph.Data = {0A0B0C}
//     Items = <item Caption = 'A' end>
//     object Button1: TButton
//       OnClick = Button1Click
//     end
//   end
//
// Parsing checks only the syntax; what the names mean is the reader's
// business (FormReader.h).

#include "platform/rtl/Classes.h"

using TBytes = std::vector<Byte>;

// What a stored value is; the reader's NextValue reports it.
enum TValueType {
    vaNull, // end of a list, set or collection
    vaList, // ( ... )
    vaInt8, // integers, by the smallest size that holds them
    vaInt16,
    vaInt32,
    vaExtended, // a number with a fraction or exponent
    vaString,   // a string of at most 255 bytes
    vaIdent,    // an identifier (enumeration value, colour, component, method)
    vaFalse,
    vaTrue,
    vaBinary,     // { hex }
    vaSet,        // [ a, b ]
    vaLString,    // a longer string
    vaNil,        // the identifier nil
    vaCollection, // < item ... end >
    vaInt64,
};

struct TFormProperty;

struct TFormValue {
    TValueType Type = vaNull;
    Integer Line = 0;
    Int64 Int = 0;                                 // integers
    double Float = 0;                              // vaExtended
    String Str;                                    // strings (UTF-8) and identifiers
    std::vector<String> Set;                       // vaSet elements
    std::vector<TFormValue> List;                  // vaList items
    std::vector<std::vector<TFormProperty>> Items; // vaCollection items
    TBytes Binary;                                 // vaBinary
};

struct TFormProperty {
    String Name; // dotted path: "Font.Style"
    Integer Line = 0;
    TFormValue Value;
};

struct TFormObject {
    enum TKind { fkObject, fkInherited, fkInline };
    TKind Kind = fkObject;
    String Name; // may be empty
    String ClassName;
    Integer Line = 0;
    std::vector<TFormProperty> Properties;
    std::vector<TFormObject> Children;
};

// An error in a form description; the message names the file, the line and,
// when one is concerned, the property.
class EFormError : public EReadError {
public:
    EFormError(const String& AFileName, Integer ALine, const String& APropPath, const String& ADetail);
    String ClassName() const override { return "EFormError"; }
    String FileName;
    Integer Line;
    String PropPath; // "Label1.Font.Style", or empty
    String Detail;
};

// Parses a whole form description. FileName is used in error messages.
// Raises EFormError for a syntax error.
TFormObject ParseFormText(const String& Text, const String& FileName);
