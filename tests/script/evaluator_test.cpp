#include "script/evaluator.h"

#include <climits>

#include "script/script_test_fixture.h"

namespace {

class EvaluatorTest : public ScriptTest {
protected:
    int32_t expr(const std::string& text, bool* flagOut = nullptr) {
        bool flag = false;
        int32_t v = evaluateExpression(text, flag);
        if (flagOut) *flagOut = flag;
        return v;
    }
    bool cond(const std::string& text, bool* flagOut = nullptr) {
        bool flag = false;
        bool v = evaluateCondition(text, flag);
        if (flagOut) *flagOut = flag;
        return v;
    }
};

TEST_F(EvaluatorTest, ArithmeticRunsLeftToRightWithoutPrecedence) {
    bool flag = true;
    EXPECT_EQ(expr("2+3*4", &flag), 20);
    EXPECT_FALSE(flag);
    EXPECT_EQ(expr("(2+3)*4"), 20);
    EXPECT_EQ(expr("2+(3*4)"), 14);
    EXPECT_EQ(expr("10-3"), 7);
    EXPECT_EQ(expr("10/3"), 3);
    EXPECT_EQ(expr("0-7/2"), -3);
    EXPECT_EQ(expr("-5"), -5);
    EXPECT_EQ(expr("7%3"), 1);
    EXPECT_EQ(expr("0-7%3"), -1);  // (0-7)%3: the sign follows the left operand
}

TEST_F(EvaluatorTest, MissingOperandsAndLeftoversSetTheFlag) {
    bool flag = false;
    EXPECT_EQ(expr("-5+3", &flag), 2);  // "-" takes 5 and 3; "+" then finds one operand
    EXPECT_TRUE(flag);
    expr("1+", &flag);
    EXPECT_TRUE(flag);
    expr("", &flag);
    EXPECT_TRUE(flag);
    expr("3 4", &flag);  // blank is an invalid character
    EXPECT_TRUE(flag);
    expr("3abc", &flag);  // two operands, no operator
    EXPECT_TRUE(flag);
    expr("-", &flag);
    EXPECT_TRUE(flag);
}

TEST_F(EvaluatorTest, DivisionFaultsAndOverflowNeverTrap) {
    bool flag = false;
    EXPECT_EQ(expr("5/0", &flag), 0);
    EXPECT_TRUE(flag);
    EXPECT_EQ(expr("5%(1-1)", &flag), 0);
    EXPECT_TRUE(flag);
    // Overflow wraps at 32 bits and is not an error.
    EXPECT_EQ(expr("2147483647+1", &flag), INT_MIN);
    EXPECT_FALSE(flag);
    EXPECT_EQ(expr("(0-2147483647-1)/(0-1)", &flag), INT_MIN);
    EXPECT_FALSE(flag);
    EXPECT_EQ(expr("(0-2147483647-1)%(0-1)", &flag), 0);
    EXPECT_EQ(expr("4294967297"), 1);  // long digit runs wrap too
    EXPECT_EQ(expr("65536*65536"), 0);
}

TEST_F(EvaluatorTest, UnbalancedAndDeepParenthesesEndWithTheFlag) {
    bool flag = false;
    expr("(1+2", &flag);
    EXPECT_TRUE(flag);
    cond("(a==1", &flag);
    EXPECT_TRUE(flag);
    std::string deep(100000, '(');
    deep += "1";
    deep += std::string(100000, ')');
    flag = false;
    expr(deep, &flag);
    EXPECT_TRUE(flag);
    flag = false;
    cond(deep, &flag);
    EXPECT_TRUE(flag);
    std::string fine = std::string(10, '(') + "1" + std::string(10, ')');
    flag = false;
    EXPECT_EQ(expr(fine, &flag), 1);
    EXPECT_FALSE(flag);
}

TEST_F(EvaluatorTest, ReadingCreatesVariables) {
    EXPECT_EQ(expr("x+1"), 1);
    EXPECT_TRUE(hasVar("x"));
    EXPECT_FALSE(cond("door==1"));
    EXPECT_TRUE(hasVar("door"));
    EXPECT_EQ(var("door"), 0);
}

TEST_F(EvaluatorTest, ComparisonsAndConnectives) {
    game().variables["x"] = 3;
    game().variables["y"] = 3;
    EXPECT_TRUE(cond("x>=3"));
    EXPECT_TRUE(cond("x<=3"));
    EXPECT_FALSE(cond("x!=3"));
    EXPECT_FALSE(cond("x>3"));
    EXPECT_FALSE(cond("x<3"));
    EXPECT_TRUE(cond("x==y"));
    game().variables["a"] = 1;
    EXPECT_FALSE(cond("a==1&b==2"));
    EXPECT_TRUE(cond("a==1|b==2"));
    EXPECT_FALSE(cond("!(a==1)"));
    EXPECT_TRUE(cond("!(b==1)"));
    // Equal precedence, grouped from the right: a==1 & (b==2 | c==3)... here false & ...
    EXPECT_TRUE(cond("b==5&a==0|a==1") == false);
    EXPECT_TRUE(cond("a==1|b==5&c==5"));  // a==1 | (b==5 & c==5)
    EXPECT_TRUE(cond("(a==0|a==1)&x==3"));
}

TEST_F(EvaluatorTest, MalformedConditionsSetTheFlag) {
    bool flag = false;
    game().variables["a"] = 1;
    game().variables["b"] = 2;
    EXPECT_FALSE(cond("a==1&&b==2", &flag));
    EXPECT_TRUE(flag);
    flag = false;
    EXPECT_FALSE(cond("3==x", &flag));
    EXPECT_TRUE(flag);
    flag = false;
    cond("x==y+1", &flag);
    EXPECT_TRUE(flag);
    flag = false;
    EXPECT_TRUE(cond("z=0", &flag));  // empty right-hand side compares with 0
    EXPECT_TRUE(flag);
    flag = false;
    EXPECT_FALSE(cond("", &flag));
    EXPECT_TRUE(flag);
}

}  // namespace
