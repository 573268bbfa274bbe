// The test programs' entry point: gtest's own, except that a run whose tests
// were all skipped (a corpus that is not there, a browser that is not
// installed) exits 77, which ctest reports as skipped, not passed.
#include <gtest/gtest.h>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  const int status = RUN_ALL_TESTS();
  const ::testing::UnitTest& unit = *::testing::UnitTest::GetInstance();
  if (status == 0 && unit.successful_test_count() == 0 && unit.skipped_test_count() > 0) return 77;
  return status;
}
