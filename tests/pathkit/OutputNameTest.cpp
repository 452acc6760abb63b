// The name of the table TOURCHK writes: beside the input, cut at the first '.' of the file name.
#include <gtest/gtest.h>

#include <string>

#include "OutputName.h"

TEST(OutputName, CutsTheFileNameAtItsFirstDot) {
    EXPECT_EQ(OutputName("data.tsp"), "data.txt");
    EXPECT_EQ(OutputName("a.b.tsp"), "a.txt");
    EXPECT_EQ(OutputName("noextension"), "noextension.txt");
    EXPECT_EQ(OutputName("dir/berlin52.tsp"), "dir/berlin52.txt");
}

TEST(OutputName, KeepsDotsInFolderNames) {
    EXPECT_EQ(OutputName("../instances/a.b.tsp"), "../instances/a.txt");
    EXPECT_EQ(OutputName("./run.v2/plain"), "./run.v2/plain.txt");
    EXPECT_EQ(OutputName("/tmp/x.y/"), "/tmp/x.y/.txt");
}

TEST(OutputName, TakesPathsOfAnyLength) {
    const std::string folder = "/" + std::string(600, 'f') + ".d";
    EXPECT_EQ(OutputName(folder + "/name.tsp"), folder + "/name.txt");
}
