#pragma once
// Base types and the root object of the run-time library.

#include <cstdint>
#include <functional>
#include <string>

using Integer = std::int32_t;
using Cardinal = std::uint32_t;
using LongInt = std::int32_t;
using LongWord = std::uint32_t;
using SmallInt = std::int16_t;
using ShortInt = std::int8_t;
using Word = std::uint16_t;
using Byte = std::uint8_t;
using Int64 = std::int64_t;
using UInt64 = std::uint64_t;
using Boolean = bool;
using String = std::string; // UTF-8 text
using TDateTime = double;   // days since 1899-12-30, fraction = time of day

// The line break that TStrings writes and the texts of the system use.
inline constexpr const char* sLineBreak = "\n";

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    // The class name as declared ("TStringList"), without namespace.
    virtual String ClassName() const;

    // Called by Free while the object is still whole, before the destructors.
    virtual void BeforeDestruction() {}

    // Frees the object. Components must be freed this way (or by their
    // owner) so that they can notify others while they are still whole.
    // For a pointer that may be null use FreeAndNil.
    void Free();
};

// Frees the object and sets the pointer to null.
template <class T> void FreeAndNil(T*& obj) {
    T* tmp = obj;
    obj = nullptr;
    if (tmp) tmp->Free();
}

using TNotifyEvent = std::function<void(TObject* Sender)>;

// The run-time pseudo-random generator: a 32-bit linear congruential
// generator (seed * 134775813 + 1), as the framework's.
extern std::uint32_t RandSeed;
// A value in [0, Range); 0 when Range <= 0.
Integer Random(Integer Range);
// Count values of Random(Range) into Values, the same as Count calls give
// one after another, at a fraction of their cost.
void RandomFill(Integer* Values, Integer Count, Integer Range);
// A value in [0, 1).
double Random();
// Seeds the generator from the wall clock.
void Randomize();

// The program's command line: ParamStr(0) is the program file's full path.
Integer ParamCount();
String ParamStr(Integer Index);
// Makes ParamStr(0), and so ProgramFolder, answer FileName as the program
// file (tests run a program's windows as if from another folder); ""
// restores the real one.
void SetProgramFileName(const String& FileName);
// The folder of the program file, with a trailing separator.
String ProgramFolder();
