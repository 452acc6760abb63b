// params.dat: the eight doubles, truncation of the counts, short and missing files.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>

#include "DocSupport.h"
#include "document/Params.h"
#include "solver/MethodParams.h"

namespace {

std::string Doubles(std::initializer_list<double> values) {
    std::string bytes;
    for (double v : values) {
        const uint64_t bits = std::bit_cast<uint64_t>(v);
        for (int k = 0; k < 8; ++k) bytes.push_back(static_cast<char>((bits >> (8 * k)) & 0xFF));
    }
    return bytes;
}

class Params : public ::testing::Test {
protected:
    void SetUp() override { ResetMethodParams(); }
    void TearDown() override { ResetMethodParams(); }
    CTempDir dir{"params"};
};

}  // namespace

TEST_F(Params, DefaultsAreWrittenAsSixtyFourBytesWithRaisedCounts) {
    const auto path = (dir.path / "params.dat").string();
    ASSERT_EQ(WriteParams(path), 1);
    EXPECT_EQ(ReadFileBytes(path), Doubles({2.001, 20.001, 2.001, 3.001, 0.017, 0.475, 0.017, 0.475}));
}

TEST_F(Params, CountsAreTruncatedTowardZero) {
    const auto path = (dir.path / "params.dat").string();
    WriteFileBytes(path, Doubles({2.001, 2.0, 1.9999999, 7.5, 0.1, 0.2, 0.3, 0.4}));
    EXPECT_EQ(ReadParams(path), 8);
    EXPECT_EQ(g_nFirstLoop, 2);
    EXPECT_EQ(g_nSecondLoop, 2);
    EXPECT_EQ(g_nMapFirstLoop, 1);
    EXPECT_EQ(g_nMapSecondLoop, 7);
    EXPECT_DOUBLE_EQ(g_dParam1, 0.1);
    EXPECT_DOUBLE_EQ(g_dMapParam2, 0.4);
}

TEST_F(Params, RoundTripKeepsEveryValue) {
    const auto path = (dir.path / "params.dat").string();
    g_nSecondLoop = 31;
    g_dMapParam1 = 0.123;
    ASSERT_EQ(WriteParams(path), 1);
    ResetMethodParams();
    EXPECT_EQ(ReadParams(path), 8);
    EXPECT_EQ(g_nSecondLoop, 31);
    EXPECT_DOUBLE_EQ(g_dMapParam1, 0.123);
}

TEST_F(Params, ShortFileKeepsTheDefaultsOfWhatItLacks) {
    const auto path = (dir.path / "params.dat").string();
    WriteFileBytes(path, Doubles({5.001, 6.001}) + std::string(5, '\x40'));
    EXPECT_EQ(ReadParams(path), 2);
    EXPECT_EQ(g_nFirstLoop, 5);
    EXPECT_EQ(g_nSecondLoop, 6);
    EXPECT_EQ(g_nMapFirstLoop, 2);
    EXPECT_DOUBLE_EQ(g_dParam1, 0.017);
}

TEST_F(Params, MissingFileKeepsDefaultsAndUnwritableFileIsReported) {
    EXPECT_EQ(ReadParams((dir.path / "none.dat").string()), -1);
    EXPECT_EQ(g_nFirstLoop, 2);
    EXPECT_EQ(WriteParams((dir.path / "no" / "params.dat").string()), 0);
}

TEST_F(Params, CountsNoIntCanHoldAreIgnored) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(ParamsFromBytes(Doubles({nan, 1e300, -1e12, 4.001})), 1);
    EXPECT_EQ(g_nFirstLoop, 2);
    EXPECT_EQ(g_nSecondLoop, 20);
    EXPECT_EQ(g_nMapFirstLoop, 2);
    EXPECT_EQ(g_nMapSecondLoop, 4);
}

TEST_F(Params, ClosingADocumentWritesParamsDatInTheCurrentFolder) {
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path);
    {
        auto doc = MakeDoc(KIND_NETWORK, 5);
        g_nFirstLoop = 9;
        g_bWriteParamsOnClose = 1;
    }
    g_bWriteParamsOnClose = 0;
    std::filesystem::current_path(previous);
    const std::string bytes = ReadFileBytes(dir.path / "params.dat");
    ASSERT_EQ(bytes.size(), 64u);
    EXPECT_EQ(bytes.substr(0, 8), Doubles({9.001}));
}

TEST_F(Params, FailureToWriteOnCloseIsReportedOnStandardError) {
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path);
    std::filesystem::create_directory(dir.path / "params.dat");  // a folder cannot be written as the file
    testing::internal::CaptureStderr();
    {
        auto doc = MakeDoc(KIND_NETWORK, 5);
        g_bWriteParamsOnClose = 1;
    }
    g_bWriteParamsOnClose = 0;
    const std::string error = testing::internal::GetCapturedStderr();
    std::filesystem::current_path(previous);
    EXPECT_NE(error.find("cannot write the method parameters to params.dat"), std::string::npos) << error;
}
