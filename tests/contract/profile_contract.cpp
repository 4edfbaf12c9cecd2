#include "contract/profile_contract.h"

#include <gtest/gtest.h>

namespace corvanta::testing {

void checkProfileRules(SystemPort& system, const WriteIniFile& write) {
  const std::string file = write("English.ini",
                                 "; comment\r\n"
                                 "[Other]\r\n1002=not this one\r\n"
                                 "[Corvanta]\r\n"
                                 "1002=Visual\r\n"
                                 "  7003  =  Explorer  \r\n"
                                 "1004=\"Quoted Input\"\r\n"
                                 "1005='single'\r\n"
                                 "1006=\"unbalanced\r\n"
                                 "1002=second of a duplicate\r\n"
                                 "3004=Used memory             :\r\n"
                                 "1001=" +
                                     std::string(300, 'x') + "\r\n");
  const auto read = [&](const std::string& key) {
    return system.getPrivateProfileString("Corvanta", key, "", 255, file);
  };
  EXPECT_EQ("Visual", read("1002")) << "the first of duplicate keys wins";
  EXPECT_EQ("Explorer", read(" 7003")) << "blanks around keys, in the file and asked for";
  EXPECT_EQ("Explorer", read("7003 "));
  EXPECT_EQ("Quoted Input", read("1004"));
  EXPECT_EQ("single", read("1005"));
  EXPECT_EQ("\"unbalanced", read("1006"));
  EXPECT_EQ("Used memory             :", read("3004")) << "blanks inside a text are kept";
  EXPECT_EQ(std::string(254, 'x'), read("1001")) << "cut to the buffer less its terminator";
  EXPECT_EQ("Visual", system.getPrivateProfileString("CORVANTA", "1002", "", 255, file));
  EXPECT_EQ("", read("9999"));
  EXPECT_EQ("", system.getPrivateProfileString("Missing", "1002", "", 255, file));
  EXPECT_EQ("", system.getPrivateProfileString("Corvanta", "1002", "", 255, file + ".missing"));
}

}  // namespace corvanta::testing
