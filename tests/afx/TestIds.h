#pragma once
#define IDD_TEST 200
#define IDC_TEST_EDIT 201
#define IDC_TEST_BUTTON 202
