#include "platform/pending_name.h"

#include <gtest/gtest.h>

TEST(PendingFileName, OnlyTheProgramsOwnNamesAreTakenForLeftovers) {
  EXPECT_EQ(PendingFileName(4242, 7), "hopdeck-4242-7.tmp");
  EXPECT_TRUE(IsPendingFileName(PendingFileName(4294967295ul, 4294967295u)));

  for (const char* name : {"hopdeck-notes.tmp", "hopdeck-12.tmp", "hopdeck--1.tmp", "hopdeck-1-.tmp",
                           "hopdeck-1-2.tmp.url", "hopdeck-1-2.TMP", "HOPDECK-1-2.tmp", "hopdeck-1-2-3.tmp",
                           "xhopdeck-1-2.tmp", "HOPDEC~1.TMP", "hopdeck-.tmp", ""}) {
    EXPECT_FALSE(IsPendingFileName(name)) << name;
  }
}
