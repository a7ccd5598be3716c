// The shared plain-text reader and writer: field ends, quotes, numbers, Booleans, line ends, the
// errors a damaged file gives, and what the writer makes of text it cannot store.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/TextFieldReader.h"
#include "core/TextFieldWriter.h"

namespace {

using plm::TextFieldReader;
using plm::TextFieldWriter;

TEST(TextFieldReader, StringsEndAtCommasAndLineEndsAndQuotesKeepCommas) {
    TextFieldReader in("\"Anne, Bee\",plain  ,  \"\"\r\n\"x\" junk,last\n\nafter empty\r  lone cr");
    std::vector<std::string> want = {"Anne, Bee", "plain", "", "x", "last", "", "after empty", "lone cr"};
    for (const std::string& w : want) {
        std::string s = "?";
        ASSERT_TRUE(in.ReadString(s)) << in.ErrorText();
        EXPECT_EQ(s, w);
    }
    EXPECT_TRUE(in.AtEnd());
    std::string s;
    EXPECT_FALSE(in.ReadString(s));
    EXPECT_EQ(in.ErrorNumber(), 62);
}

TEST(TextFieldReader, NumbersEndAtBlanksToo) {
    // A printed version line " 2  3  2 " holds three numbers; the text line after it is read whole.
    TextFieldReader in(" 2  3  2 \r\n1\r\n 640 \r\n-3,4.5,+7\n\n\n  1E3 ,-0.25\n#TRUE#,#FALSE#");
    int32_t a = 0, b = 0, c = 0, w = 0;
    ASSERT_TRUE(in.ReadWhole(a) && in.ReadWhole(b) && in.ReadWhole(c));
    EXPECT_EQ(a * 100 + b * 10 + c, 232);
    std::string one;
    ASSERT_TRUE(in.ReadString(one));
    EXPECT_EQ(one, "1");
    ASSERT_TRUE(in.ReadWhole(w));
    EXPECT_EQ(w, 640);
    ASSERT_TRUE(in.ReadWhole(w));
    EXPECT_EQ(w, -3);
    double d = 0;
    ASSERT_TRUE(in.ReadNumber(d));
    EXPECT_EQ(d, 4.5);
    ASSERT_TRUE(in.ReadWhole(w));
    EXPECT_EQ(w, 7);
    // Empty lines before a number are skipped.
    ASSERT_TRUE(in.ReadNumber(d));
    EXPECT_EQ(d, 1000);
    ASSERT_TRUE(in.ReadNumber(d));
    EXPECT_EQ(d, -0.25);
    bool t = false, f = true;
    ASSERT_TRUE(in.ReadBool(t) && in.ReadBool(f));
    EXPECT_TRUE(t);
    EXPECT_FALSE(f);
    EXPECT_TRUE(in.AtEnd());
}

TEST(TextFieldReader, LinesAreReadWholeCommasQuotesAndBlanksIncluded) {
    TextFieldReader in(" 7 \r\ntiles, \"a\".png \r\n\r\nlf\nlast");
    int32_t w = 0;
    ASSERT_TRUE(in.ReadWhole(w));
    std::vector<std::string> want = {"tiles, \"a\".png ", "", "lf", "last"};
    for (const std::string& line : want) {
        std::string s = "?";
        ASSERT_TRUE(in.ReadLine(s)) << in.ErrorText();
        EXPECT_EQ(s, line);
    }
    std::string s;
    EXPECT_FALSE(in.ReadLine(s));
    EXPECT_EQ(in.ErrorNumber(), 62);
}

TEST(TextFieldReader, DamagedFieldsAreRefusedWithTheRuntimesErrorNumber) {
    enum Kind { Whole, Number, Bool, String };
    struct Case {
        const char* text;
        Kind kind;
        int32_t number;
    };
    const Case cases[] = {
        {"", Whole, 62},
        {"  \r\n \r\n", Number, 62},
        {"12x", Whole, 13},
        {"1.5", Whole, 13},
        {"-", Whole, 13},
        {",5", Whole, 13},          // an empty number field
        {"2147483648", Whole, 6},
        {"-2147483649", Whole, 6},
        {"99999999999999999999999", Whole, 6},
        {"1e", Number, 13},
        {"1e999999", Number, 13},   // not finite
        {"nan", Number, 13},
        {"1..2", Number, 13},
        {"TRUE", Bool, 13},
        {"#true#", Bool, 13},
        {"\"no closing quote", String, 62},
    };
    for (const Case& c : cases) {
        TextFieldReader in(c.text);
        int32_t w = 0;
        double d = 0;
        bool b = false;
        std::string s;
        bool ok = c.kind == Whole ? in.ReadWhole(w) : c.kind == Number ? in.ReadNumber(d)
                                  : c.kind == Bool  ? in.ReadBool(b)
                                                    : in.ReadString(s);
        EXPECT_FALSE(ok) << c.text;
        EXPECT_EQ(in.ErrorNumber(), c.number) << c.text;
        EXPECT_NE(in.ErrorText().find("(field 1, line "), std::string::npos) << in.ErrorText();
    }
    // The 32-bit limits themselves fit.
    TextFieldReader edges("2147483647,-2147483648");
    int32_t hi = 0, lo = 0;
    ASSERT_TRUE(edges.ReadWhole(hi) && edges.ReadWhole(lo));
    EXPECT_EQ(hi, 2147483647);
    EXPECT_EQ(lo, -2147483647 - 1);
    // The error names the field and line where reading stopped.
    TextFieldReader late("1,2\r\n3,x\r\n");
    int32_t v = 0;
    while (late.ReadWhole(v)) {
    }
    EXPECT_NE(late.ErrorText().find("field 4, line 2"), std::string::npos) << late.ErrorText();
}

TEST(TextFieldWriter, WritesFieldsTheReaderReadsBack) {
    TextFieldWriter out;
    out.String("GUEST");
    out.EndLine();
    out.Whole(-12);
    out.Whole(0);
    out.Single(33.333332f);
    out.Bool(true);
    out.Bool(false);
    out.EndLine();
    out.String("a \"quoted\", multi\r\nline name");
    out.EndLine();
    out.Text(" 640 ");
    out.EndLine();
    EXPECT_EQ(out.Bytes(), "\"GUEST\"\r\n-12,0,33.33333,#TRUE#,#FALSE#\r\n\"a quoted, multiline name\"\r\n 640 \r\n");

    TextFieldReader in(out.Bytes());
    std::string s;
    int32_t a = 0, b = 1;
    double d = 0;
    bool t = false, f = true;
    ASSERT_TRUE(in.ReadString(s) && in.ReadWhole(a) && in.ReadWhole(b) && in.ReadNumber(d) && in.ReadBool(t) &&
                in.ReadBool(f));
    EXPECT_EQ(s, "GUEST");
    EXPECT_EQ(a, -12);
    EXPECT_EQ(b, 0);
    EXPECT_FLOAT_EQ(static_cast<float>(d), 33.33333f);
    EXPECT_TRUE(t);
    EXPECT_FALSE(f);
    ASSERT_TRUE(in.ReadString(s));
    EXPECT_EQ(s, "a quoted, multiline name");
    ASSERT_TRUE(in.ReadWhole(a));
    EXPECT_EQ(a, 640);
    EXPECT_TRUE(in.AtEnd());
}

}  // namespace
