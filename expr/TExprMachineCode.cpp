#include "expr/TExprMachineCode.h"

#include "expr/TExprProgram.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <initializer_list>
#include <vector>

namespace
{
// x87 register-stack instructions: opcode bytes DE xx pop the stack and leave
// ST(1) op ST(0) in the new top.
constexpr uint8_t FAddP = 0xC1;                             // ST(1) + ST(0)
constexpr uint8_t FMulP = 0xC9;                             // ST(1) * ST(0)
constexpr uint8_t FSubP = 0xE9;                             // ST(1) - ST(0)
constexpr uint8_t FDivP = 0xF9;                             // ST(1) / ST(0)
constexpr uint8_t PopOps[4] = {FAddP, FSubP, FMulP, FDivP}; // in the order Add, Sub, Mul, Div

// The registers hold the variables, the values below the top, the top and two more: leaves
// being loaded, or a pair's result and the copy that a test makes of it.
constexpr size_t Registers = 8;
constexpr size_t Loading = 2;

// The code starts a little into its memory: instrumented builds read the bytes before a
// function they call, looking for a signature.
constexpr size_t EntryOffset = 16;

class TCodeWriter
{
  public:
    explicit TCodeWriter(const std::vector<const Float80*>& ProgramVariables) : Variables(ProgramVariables) {}

    std::vector<uint8_t> Bytes;

    void Put(std::initializer_list<uint8_t> Some) { Bytes.insert(Bytes.end(), Some); }

    // Pushes a leaf: a copy of a variable's register, or a constant read from memory (an
    // 80-bit value or a double).
    void Load(const void* Address, bool InDouble)
    {
        if (!InDouble)
            if (const auto v = std::find(Variables.begin(), Variables.end(), Address); v != Variables.end())
            {
                Put({0xD9, uint8_t(0xC0 + (Depth - 1 - int(v - Variables.begin())))}); // fld st(i)
                ++Depth;
                return;
            }
        LoadFromMemory(Address, InDouble);
    }
    // Loading an 80-bit value from memory is slow (several times a double's load), so each
    // variable is read once, at the start, into a register at the bottom of the stack.
    void LoadVariables()
    {
        for (const Float80* Variable : Variables)
            LoadFromMemory(Variable, false);
    }
    // Returns the top in st(0) and the other registers empty, as a function returns a long
    // double: the variables' registers below the value are dropped.
    void Return()
    {
        for (size_t i = 0; i < Variables.size(); ++i)
            Put({0xDD, 0xD9}); // fstp st(1)
        Put({0xC3});
    }

    void PopOp(int Index)
    {
        Put({0xDE, PopOps[Index]});
        --Depth;
    }
    void Negate() { Put({0xD9, 0xE0}); } // fchs

    // Top := Top op the leaf at Address (a double, or an 80-bit value) without a push where
    // the unit can take the operand as it is: a double from memory, a variable's register,
    // or the top itself (SameAsTop).
    void Apply(int Index, const void* Address, bool InDouble, bool SameAsTop = false)
    {
        static constexpr uint8_t Reg[4] = {0, 4, 1, 6}; // fadd, fsub, fmul, fdiv: st(0) op x
        if (SameAsTop)
        {
            Put({0xD8, uint8_t(0xC0 | (Reg[Index] << 3))}); // op st(0), st(0)
            return;
        }
        if (InDouble)
        {
            MoveAddress(Address);
            Put({0xDC, uint8_t(Reg[Index] << 3)}); // op st(0), qword [rax]
            return;
        }
        if (const auto v = std::find(Variables.begin(), Variables.end(), Address); v != Variables.end())
        {
            Put({0xD8, uint8_t(0xC0 | (Reg[Index] << 3) |
                               (Depth - 1 - int(v - Variables.begin())))}); // op st(0), st(i)
            return;
        }
        LoadFromMemory(Address, false);
        PopOp(Index);
    }

    // Leaves the program with a NaN when the top is not finite.
    void TestTop()
    {
        Put({0xD9, 0xC0}); // fld st(0)
        Put({0xD8, 0xE0}); // fsub st(0), st(0): 0, or NaN for an infinity or a NaN
        Put({0xDF, 0xE8}); // fucomip st(0), st(0): unordered for a NaN
        Put({0x0F, 0x8A}); // jp rel32, to the way out for this depth
        Exits.push_back({Bytes.size(), Depth});
        Put({0, 0, 0, 0});
    }

    // The ways out after a failed test: empty the registers, return a NaN.
    void WriteExits()
    {
        for (const TExit& Exit : Exits)
        {
            const int32_t Rel = int32_t(Bytes.size() - (Exit.Patch + 4));
            std::memcpy(&Bytes[Exit.Patch], &Rel, 4);
            for (int i = 0; i < Exit.Depth; ++i)
                Put({0xDD, 0xD8});                     // fstp st(0)
            Put({0xD9, 0xEE, 0xD9, 0xEE, 0xDE, 0xF9}); // fldz; fldz; fdivp: 0 / 0
            Put({0xC3});
        }
    }

  private:
    void MoveAddress(const void* Address)
    {
        Put({0x48, 0xB8}); // mov rax, imm64
        uint64_t Imm;
        std::memcpy(&Imm, &Address, sizeof Imm);
        for (int i = 0; i < 8; ++i)
            Bytes.push_back(uint8_t(Imm >> (8 * i)));
    }
    void LoadFromMemory(const void* Address, bool InDouble)
    {
        MoveAddress(Address);
        if (InDouble)
            Put({0xDD, 0x00}); // fld qword [rax]
        else
            Put({0xDB, 0x28}); // fld tword [rax]
        ++Depth;
    }

    struct TExit
    {
        size_t Patch;
        int Depth;
    };
    const std::vector<const Float80*>& Variables;
    std::vector<TExit> Exits;
    int Depth = 0;
};

constexpr int DivIndex = 3;

void LoadA(TCodeWriter& w, const TExprInstruction& I)
{
    if (I.Form & TExprInstruction::ADouble)
        w.Load(I.AInDouble, true);
    else
        w.Load(I.A, false);
}

// Top := A op B, with A on top.
void ApplyB(TCodeWriter& w, const TExprInstruction& I, int Index)
{
    if (I.Form & TExprInstruction::BSameAsA)
        w.Apply(Index, nullptr, false, true);
    else if (I.Form & TExprInstruction::BDouble)
        w.Apply(Index, I.BInDouble, true);
    else
        w.Apply(Index, I.B, false);
}

int Offset(TExprOpCode Code, TExprOpCode First)
{
    return int(Code) - int(First);
}

// The machine code of the program, or false when an instruction is not one translated.
bool Write(const TExprProgram& Program, TCodeWriter& w)
{
    using Op = TExprOpCode;
    w.LoadVariables();
    for (const TExprInstruction& I : Program.Code())
    {
        const Op c = I.Code;
        if (c == Op::Set || c == Op::Push)
            LoadA(w, I); // a push leaves the old top below the new one
        else if (c >= Op::Add && c <= Op::Div)
        {
            if (Offset(c, Op::Add) == DivIndex)
                w.TestTop();
            w.PopOp(Offset(c, Op::Add));
        }
        else if (c >= Op::AddOperand && c <= Op::DivOperand)
        {
            const int Index = Offset(c, Op::AddOperand);
            if (I.Form & TExprInstruction::ADouble)
                w.Apply(Index, I.AInDouble, true);
            else
                w.Apply(Index, I.A, false);
        }
        else if (c >= Op::SetSum && c <= Op::PushQuotient)
        {
            LoadA(w, I);
            ApplyB(w, I, Offset(c, Op::SetSum) % 4);
        }
        else if (c >= Op::AddSum && c <= Op::DivQuotient)
        {
            const int Inner = Offset(c, Op::AddSum) % 4, Outer = Offset(c, Op::AddSum) / 4;
            LoadA(w, I);
            ApplyB(w, I, Inner); // the pair first,
            if (Outer == DivIndex)
                w.TestTop();
            w.PopOp(Outer); // then the top with it
        }
        else if (c == Op::Negate)
            w.Negate();
        else if (c == Op::End)
        {
            w.Return();
            w.WriteExits();
            return true;
        }
        else
            return false;
    }
    return false;
}
} // namespace

std::unique_ptr<TExprMachineCode> TExprMachineCode::Translate(const TExprProgram& Program)
{
    if (Program.NeedsReference() || Program.Code().size() > MaxInstructions ||
        Program.StackSize() + 1 + Loading > Registers)
        return nullptr;
    // The variables first used are held in the registers left free; the others (a formula of
    // many parameters) are read from memory where they are used, like an 80-bit constant.
    const size_t Free = Registers - (Program.StackSize() + 1 + Loading);
    const std::vector<const Float80*>& All = Program.Variables();
    const std::vector<const Float80*> Held(All.begin(),
                                           All.begin() + std::ptrdiff_t(std::min(Free, All.size())));
    TCodeWriter w(Held);
    if (!Write(Program, w))
        return nullptr;
    const size_t Page = size_t(sysconf(_SC_PAGESIZE));
    const size_t Size = (EntryOffset + w.Bytes.size() + Page - 1) / Page * Page;
    void* Memory = mmap(nullptr, Size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (Memory == MAP_FAILED)
        return nullptr;
    std::memcpy(static_cast<uint8_t*>(Memory) + EntryOffset, w.Bytes.data(), w.Bytes.size());
    if (mprotect(Memory, Size, PROT_READ | PROT_EXEC) != 0)
    {
        munmap(Memory, Size);
        return nullptr;
    }
    return std::unique_ptr<TExprMachineCode>(new TExprMachineCode(Memory, Size));
}

TExprMachineCode::TExprMachineCode(void* Memory, size_t Size)
    : FMemory(Memory), FSize(Size),
      FEntry(reinterpret_cast<TEntry>(static_cast<uint8_t*>(Memory) + EntryOffset))
{
}

TExprMachineCode::~TExprMachineCode()
{
    munmap(FMemory, FSize);
}
