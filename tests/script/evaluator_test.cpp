#include "script/evaluator.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

class EvaluatorTest : public ::testing::Test {
protected:
    Variables vars;
};

struct ExpressionCase {
    const char* text;
    int32_t value;
    bool error;
};

// Left to right with no precedence; overflow wraps, zero divisors and missing or
// surplus operands set the flag; blanks and unbalanced or too deep nesting stop it.
TEST_F(EvaluatorTest, Expressions) {
    const ExpressionCase cases[] = {
        {"2+3*4", 20, false},
        {"(2+3)*4", 20, false},
        {"2+(3*4)", 14, false},
        {"10/3", 3, false},
        {"0-7/2", -3, false},
        {"-5", -5, false},
        {"0-7%3", -1, false},  // (0-7)%3: the sign follows the left operand
        {"-5+3", 2, true},     // "-" takes 5 and 3; "+" then finds one operand
        {"1+", 1, true},
        {"", 0, true},
        {"-", 0, true},
        {"3 4", 3, true},
        {"3abc", 3, true},
        {"(1+2", 0, true},
        {"5/0", 0, true},
        {"5%(1-1)", 0, true},
        {"2147483647+1", INT_MIN, false},
        {"(0-2147483647-1)/(0-1)", INT_MIN, false},
        {"(0-2147483647-1)%(0-1)", 0, false},
        {"4294967297", 1, false},
        {"65536*65536", 0, false},
    };
    for (const ExpressionCase& c : cases) {
        bool flag = false;
        EXPECT_EQ(evaluateExpression(c.text, vars, flag), c.value) << c.text;
        EXPECT_EQ(flag, c.error) << c.text;
    }
}

// Nesting is followed to 64 levels; one more sets the flag and says why, whatever the
// depth (a huge one must not exhaust the stack).
TEST_F(EvaluatorTest, NestingLimit) {
    auto nested = [](int depth, const std::string& inner) {
        return std::string(static_cast<size_t>(depth), '(') + inner +
               std::string(static_cast<size_t>(depth), ')');
    };
    for (int depth : {kMaxExpressionNesting, kMaxExpressionNesting + 1, 100000}) {
        bool within = depth <= kMaxExpressionNesting;
        bool flag = false, tooDeep = false;
        EXPECT_EQ(evaluateExpression(nested(depth, "7"), vars, flag, &tooDeep), within ? 7 : 0);
        EXPECT_EQ(flag, !within) << depth;
        EXPECT_EQ(tooDeep, !within) << depth;
        flag = tooDeep = false;
        // A condition's operand is one level deeper than the condition itself.
        bool result = evaluateCondition(nested(depth - 1, "x==0"), vars, flag, &tooDeep);
        EXPECT_TRUE(result || !within) << depth;
        EXPECT_EQ(flag, !within) << depth;
        EXPECT_EQ(tooDeep, !within) << depth;
    }
    bool flag = false, tooDeep = false;
    evaluateExpression("(1+", vars, flag, &tooDeep);
    EXPECT_TRUE(flag);
    EXPECT_FALSE(tooDeep);  // unbalanced is a plain error
}

struct ConditionCase {
    const char* text;
    bool value;
    bool error;
};

TEST_F(EvaluatorTest, Conditions) {
    vars = {{"x", 3}, {"y", 3}, {"a", 1}, {"b", 2}};
    const ConditionCase cases[] = {
        {"x>=3", true, false},
        {"x<=3", true, false},
        {"x!=3", false, false},
        {"x>3", false, false},
        {"x<3", false, false},
        {"x==y", true, false},
        {"a==1&b==2", true, false},
        {"a==1&b==3", false, false},
        {"a==2|b==2", true, false},
        {"!(a==1)", false, false},
        {"!(b==1)", true, false},
        {"b==5&a==0|a==1", false, false},  // grouped from the right: b==5 & (...)
        {"a==1|b==5&c==5", true, false},   // a==1 | (b==5 & c==5)
        {"(a==0|a==1)&x==3", true, false},
        {"a==1&&b==2", false, true},
        {"3==x", false, true},
        {"x==y+1", true, true},  // stops at "+": x==y is what was compared
        {"z=0", true, true},     // empty right-hand side compares with 0
        {"(a==1", false, true},
        {"", false, true},
    };
    for (const ConditionCase& c : cases) {
        bool flag = false;
        EXPECT_EQ(evaluateCondition(c.text, vars, flag), c.value) << c.text;
        EXPECT_EQ(flag, c.error) << c.text;
    }
}

TEST_F(EvaluatorTest, ReadingCreatesVariables) {
    bool flag = false;
    EXPECT_EQ(evaluateExpression("x+1", vars, flag), 1);
    EXPECT_FALSE(evaluateCondition("door==1", vars, flag));
    EXPECT_EQ(vars.count("x"), 1u);
    EXPECT_EQ(vars.count("door"), 1u);
}

}  // namespace
