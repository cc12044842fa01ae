#include "calc/TranslationProgram.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {
constexpr std::uint32_t kNone = UINT32_MAX;

// What is known of a variable's bound flag at a point of a program.
enum class Binding : std::uint8_t { kUnbound, kBound, kUnknown };

// What is known of every variable at a point of a sample.
struct State {
    std::vector<Binding> binding;
    // Written (assigned, removed or bound by the translation) earlier in the same sample, on
    // every way to this point.
    std::vector<std::uint8_t> written;

    // Where two ways meet: only what holds on both.
    void Merge(const State& other) {
        for (std::size_t v = 0; v < binding.size(); ++v) {
            if (binding[v] != other.binding[v])
                binding[v] = Binding::kUnknown;
            written[v] = written[v] && other.written[v];
        }
    }
};
} // namespace

// Turns a compiled program into steps on the variables' registers, following what is known of
// the variables along the way: reads of variables known to be bound need no step, and every
// read is checked for state carried in from an earlier sample.
class CTranslationProgram::Lowering {
public:
    // changed: per variable, whether the samples write it. constants: whether the variables
    // the samples do not write hold their final values, so that divisions by them need no
    // check when they are neither 0 nor NaN.
    Lowering(const CTranslationProgram& owner, const std::vector<std::uint8_t>& changed,
             bool constants)
        : m_owner(owner), m_changed(changed), m_bConstants(constants) {}

    // The steps of program, whose registers start at offset, entered in state; state becomes
    // what holds wherever the program ends (its end and every failure).
    std::vector<Step> Lower(const CCompiledFormula& program, std::uint32_t offset, State& state);

    // Whether a lowered program read a variable the samples change before the sample wrote it.
    [[nodiscard]] bool ReadsCarriedState() const { return m_bCarried; }
    // Per variable: whether a program lowered so far reads it as the program found it, before
    // writing it itself.
    [[nodiscard]] const std::vector<std::uint8_t>& ReadsOnEntry() const { return m_readsOnEntry; }

private:
    using Instruction = CCompiledFormula::Instruction;
    using CompiledOp = CCompiledFormula::Op;

    // Per register of program: the index of the last instruction reading it, as an operand or
    // as the result a failure leaves (0 when none does).
    static std::vector<std::size_t> LastReads(const CCompiledFormula& program);
    static void MarkLastValues(std::vector<Step>& steps);
    [[nodiscard]] bool KnownNonZero(std::uint32_t reg) const;

    const CTranslationProgram& m_owner;
    const std::vector<std::uint8_t>& m_changed;
    bool m_bConstants = false;
    bool m_bCarried = false;
    std::vector<std::uint8_t> m_readsOnEntry = std::vector<std::uint8_t>(m_owner.m_keys.size(), 0);
};

std::vector<CTranslationProgram::Step>
CTranslationProgram::Lowering::Lower(const CCompiledFormula& program, std::uint32_t offset,
                                     State& state) {
    const std::vector<Instruction>& code = program.m_code;
    std::vector<std::uint32_t> variable(program.m_names.size());
    for (std::size_t i = 0; i < variable.size(); ++i)
        variable[i] = static_cast<std::uint32_t>(m_owner.Cell(program.m_names[i].Key()));
    const std::vector<std::size_t> lastRead = LastReads(program);
    // Whether v is written after step i and before `until`: a read of v at i whose value is
    // last used at `until` must then copy it instead of reading v's register there.
    const auto writtenBetween = [&](std::uint32_t v, std::size_t i, std::size_t until) {
        for (std::size_t j = i + 1; j < until; ++j)
            if ((code[j].op == CompiledOp::kStore || code[j].op == CompiledOp::kRemove) &&
                variable[code[j].name] == v)
                return true;
        return false;
    };

    std::vector<std::uint32_t> reg(program.m_registers.size());
    for (std::size_t i = 0; i < reg.size(); ++i)
        reg[i] = offset + static_cast<std::uint32_t>(i);
    std::uint32_t lastTarget = kNone; // the program's register of its last value
    std::vector<std::uint8_t> writtenHere(m_owner.m_keys.size(), 0);
    std::vector<Step> steps;
    State ends;
    bool ended = false;
    const auto end = [&] {
        if (ended)
            ends.Merge(state);
        else
            ends = state;
        ended = true;
    };

    bool finished = false;
    for (std::size_t i = 0; i < code.size() && !finished; ++i) {
        const Instruction& in = code[i];
        const std::uint32_t left =
            reg[(in.last & CCompiledFormula::kLeftIsLast) ? lastTarget : in.left];
        const std::uint32_t right =
            reg[(in.last & CCompiledFormula::kRightIsLast) ? lastTarget : in.right];
        const auto failure = [&] { return reg[program.m_failures[in.failure].result]; };
        Step step;
        step.target = reg[in.target];
        step.left = left;
        step.right = right;
        switch (in.op) {
        case CompiledOp::kLoad: {
            const std::uint32_t v = variable[in.name];
            if (m_changed[v] && !state.written[v])
                m_bCarried = true;
            if (!writtenHere[v])
                m_readsOnEntry[v] = 1;
            if (state.binding[v] != Binding::kBound) {
                end();
                const bool unbound = state.binding[v] == Binding::kUnbound;
                steps.push_back(
                    {.op = unbound ? Op::kFail : Op::kCheck, .left = v, .failure = failure()});
                if (unbound) {
                    finished = true;
                    continue;
                }
                state.binding[v] = Binding::kBound;
            }
            if (writtenBetween(v, i, lastRead[in.target]))
                steps.push_back({.op = Op::kCopy, .target = reg[in.target], .left = v});
            else
                reg[in.target] = v;
            lastTarget = in.target;
            continue;
        }
        case CompiledOp::kStore:
        case CompiledOp::kRemove: {
            const std::uint32_t v = variable[in.name];
            const bool store = in.op == CompiledOp::kStore;
            steps.push_back({.op = store ? Op::kStore : Op::kUnbind, .target = v, .left = left});
            state.binding[v] = store ? Binding::kBound : Binding::kUnbound;
            state.written[v] = 1;
            writtenHere[v] = 1;
            continue;
        }
        case CompiledOp::kNegate:
            step.op = Op::kNegate;
            break;
        case CompiledOp::kAdd:
            step.op = Op::kAdd;
            break;
        case CompiledOp::kSubtract:
            step.op = Op::kSubtract;
            break;
        case CompiledOp::kMultiply:
            step.op = Op::kMultiply;
            break;
        case CompiledOp::kDivide:
            step.op = Op::kDivide;
            break;
        case CompiledOp::kRemainder:
            step.op = Op::kRemainder;
            break;
        case CompiledOp::kDivideChecked:
        case CompiledOp::kRemainderChecked: {
            const bool divide = in.op == CompiledOp::kDivideChecked;
            if (KnownNonZero(right)) {
                step.op = divide ? Op::kDivide : Op::kRemainder;
                break;
            }
            end();
            step.op = divide ? Op::kDivideChecked : Op::kRemainderChecked;
            step.failure = failure();
            break;
        }
        case CompiledOp::kPower:
            step.op = Op::kPower;
            break;
        case CompiledOp::kCall:
            step.op = Op::kCall;
            step.third = reg[in.third];
            step.function = in.function;
            break;
        case CompiledOp::kFail:
        case CompiledOp::kEnd:
            end();
            step.op = in.op == CompiledOp::kFail ? Op::kFail : Op::kEnd;
            if (step.op == Op::kFail)
                step.failure = failure();
            steps.push_back(step);
            finished = true;
            continue;
        }
        steps.push_back(step);
        lastTarget = in.target;
    }
    state = ends;
    MarkLastValues(steps);
    return steps;
}

std::vector<std::size_t> CTranslationProgram::Lowering::LastReads(const CCompiledFormula& program) {
    std::vector<std::size_t> lastRead(program.m_registers.size(), 0);
    std::uint32_t lastTarget = 0;
    for (std::size_t i = 0; i < program.m_code.size(); ++i) {
        const Instruction& in = program.m_code[i];
        bool readsLeft = true;
        bool readsRight = true;
        bool fails = false;
        bool makes = true;
        switch (in.op) {
        case CompiledOp::kLoad:
            readsLeft = readsRight = false;
            fails = true;
            break;
        case CompiledOp::kStore:
            readsRight = makes = false;
            fails = true;
            break;
        case CompiledOp::kRemove:
            readsLeft = readsRight = makes = false;
            break;
        case CompiledOp::kNegate:
            readsRight = false;
            break;
        case CompiledOp::kDivideChecked:
        case CompiledOp::kRemainderChecked:
            fails = true;
            break;
        case CompiledOp::kFail:
            readsLeft = readsRight = makes = false;
            fails = true;
            break;
        case CompiledOp::kEnd:
            readsRight = makes = false;
            break;
        case CompiledOp::kCall:
            lastRead[in.third] = i;
            break;
        default:
            break;
        }
        if (readsLeft)
            lastRead[(in.last & CCompiledFormula::kLeftIsLast) ? lastTarget : in.left] = i;
        if (readsRight)
            lastRead[(in.last & CCompiledFormula::kRightIsLast) ? lastTarget : in.right] = i;
        if (fails)
            lastRead[program.m_failures[in.failure].result] = i;
        if (makes)
            lastTarget = in.target;
    }
    return lastRead;
}

bool CTranslationProgram::Lowering::KnownNonZero(std::uint32_t reg) const {
    if (!m_bConstants || reg >= m_owner.m_keys.size() || m_changed[reg])
        return false;
    const double value = m_owner.m_registers[reg];
    return value != 0.0 && !std::isnan(value);
}

// Operands that are the value of the last step making one read it from Run's accumulator.
// Only temporaries are made by steps, and each is made once, so the register and the
// accumulator agree.
void CTranslationProgram::Lowering::MarkLastValues(std::vector<Step>& steps) {
    std::uint32_t last = kNone;
    for (Step& step : steps) {
        bool readsLeft = false;
        bool readsRight = false;
        bool makes = false;
        switch (step.op) {
        case Op::kCheck:
        case Op::kUnbind:
        case Op::kFail:
            break;
        case Op::kCopy:
            makes = true;
            break;
        case Op::kStore:
        case Op::kEnd:
            readsLeft = true;
            break;
        case Op::kNegate:
            readsLeft = makes = true;
            break;
        default: // the binary operations and calls
            readsLeft = readsRight = makes = true;
            break;
        }
        if (last != kNone) {
            if (readsLeft && step.left == last)
                step.last |= kLeftIsLast;
            if (readsRight && step.right == last)
                step.last |= kRightIsLast;
        }
        if (makes)
            last = step.target;
    }
}

CTranslationProgram::CTranslationProgram(std::string_view pressureFormula,
                                         std::string_view altitudeFormula)
    : m_pressure(pressureFormula), m_altitude(altitudeFormula) {
    const auto add = [&](const CFormulaEvaluator::NameKey& key) {
        const int cell = Cell(key);
        if (cell >= 0)
            return static_cast<std::uint32_t>(cell);
        m_keys.push_back(key);
        return static_cast<std::uint32_t>(m_keys.size() - 1);
    };
    m_x = add(CFormulaEvaluator::VariableName("X").Key());
    m_pa = add(CFormulaEvaluator::VariableName("PA").Key());
    m_pr = add(CFormulaEvaluator::VariableName("PR").Key());
    std::vector<std::uint8_t> assigned(3, 1);
    for (const CCompiledFormula* program : {&m_pressure, &m_altitude}) {
        for (const CFormulaEvaluator::VariableName& name : program->m_names)
            add(name.Key());
        assigned.resize(m_keys.size(), 0);
        for (const CCompiledFormula::Instruction& in : program->m_code)
            if (in.op == CCompiledFormula::Op::kStore)
                assigned[static_cast<std::size_t>(Cell(program->m_names[in.name].Key()))] = 1;
    }
    m_bUsable =
        std::count(assigned.begin(), assigned.end(), 1) <= CFormulaEvaluator::kVariableSlots;

    m_registers.assign(m_keys.size(), 0.0);
    m_bound.assign(m_keys.size(), 0);
    m_registers.insert(m_registers.end(), m_pressure.m_registers.begin(),
                       m_pressure.m_registers.end());
    m_registers.insert(m_registers.end(), m_altitude.m_registers.begin(),
                       m_altitude.m_registers.end());
}

int CTranslationProgram::Cell(const CFormulaEvaluator::NameKey& key) const {
    const auto found = std::find(m_keys.begin(), m_keys.end(), key);
    return found == m_keys.end() ? -1 : static_cast<int>(found - m_keys.begin());
}

bool CTranslationProgram::Reference(double raw, double& pressure) {
    const std::size_t variables = m_keys.size();
    const auto pressureOffset = static_cast<std::uint32_t>(variables);
    const auto altitudeOffset =
        static_cast<std::uint32_t>(variables + m_pressure.m_registers.size());

    // The evaluator starts empty: X is the only variable bound.
    {
        const std::vector<std::uint8_t> changed(variables, 1);
        State state{std::vector<Binding>(variables, Binding::kUnbound),
                    std::vector<std::uint8_t>(variables, 0)};
        state.binding[m_x] = Binding::kBound;
        const std::vector<Step> steps =
            Lowering(*this, changed, false).Lower(m_pressure, pressureOffset, state);
        m_registers[m_x] = raw;
        m_bound[m_x] = 1;
        if (!Run(steps.data(), m_registers.data(), m_bound.data(), pressure))
            return false;
        m_registers[m_pr] = pressure;
        m_bound[m_pr] = 1;
    }

    // What the samples write, and what holds when a sample starts: a variable the samples do
    // not write keeps its flag; one that is bound now and never removed stays bound.
    std::vector<std::uint8_t> changed(variables, 0);
    std::vector<std::uint8_t> removed(variables, 0);
    changed[m_x] = changed[m_pa] = 1;
    for (const CCompiledFormula* program : {&m_pressure, &m_altitude}) {
        for (const CCompiledFormula::Instruction& in : program->m_code) {
            if (in.op != CCompiledFormula::Op::kStore && in.op != CCompiledFormula::Op::kRemove)
                continue;
            const auto v = static_cast<std::size_t>(Cell(program->m_names[in.name].Key()));
            changed[v] = 1;
            if (in.op == CCompiledFormula::Op::kRemove)
                removed[v] = 1;
        }
    }
    State state{std::vector<Binding>(variables, Binding::kUnknown),
                std::vector<std::uint8_t>(variables, 0)};
    for (std::size_t v = 0; v < variables; ++v) {
        if (!changed[v])
            state.binding[v] = m_bound[v] ? Binding::kBound : Binding::kUnbound;
        else if (!removed[v] && m_bound[v])
            state.binding[v] = Binding::kBound;
    }

    Lowering lowering(*this, changed, true);
    state.binding[m_x] = Binding::kBound;
    state.written[m_x] = 1;
    m_pressureSteps = lowering.Lower(m_pressure, pressureOffset, state);
    const bool pressureCarries = lowering.ReadsCarriedState();
    state.binding[m_pa] = Binding::kBound;
    state.written[m_pa] = 1;
    Lowering altitudeLowering(*this, changed, true);
    m_altitudeSteps = altitudeLowering.Lower(m_altitude, altitudeOffset, state);
    // A pressure formula that reads nothing an earlier sample left behind gives a result and
    // assignments that depend on the raw value alone; when the altitude formula reads none of
    // what it assigns, what it assigns matters to no result.
    bool altitudeReadsPressureWrites = false;
    for (const Step& step : m_pressureSteps)
        if ((step.op == Op::kStore || step.op == Op::kUnbind) &&
            altitudeLowering.ReadsOnEntry()[step.target])
            altitudeReadsPressureWrites = true;
    m_bPressureOnRawAlone = !pressureCarries && !altitudeReadsPressureWrites;
    m_bCarriesState = pressureCarries || altitudeLowering.ReadsCarriedState();
    return true;
}

bool CTranslationProgram::LookupVariable(std::string_view name, double& value) const {
    const int cell = Cell(CFormulaEvaluator::VariableName(name).Key());
    if (cell < 0 || !m_bound[static_cast<std::size_t>(cell)])
        return false;
    value = m_registers[static_cast<std::size_t>(cell)];
    return true;
}

int CTranslationProgram::VariableCount() const {
    return static_cast<int>(std::count(m_bound.begin(), m_bound.end(), 1));
}
