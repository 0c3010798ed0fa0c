// The test program's entry point: notes which application object already
// existed when it was entered, then runs the tests.
#include "TestMain.h"

#include <gtest/gtest.h>

#include "afxwin.h"

CWinApp* g_pAppAtEntry = nullptr;

int main(int argc, char** argv) {
  g_pAppAtEntry = AfxGetApp();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
