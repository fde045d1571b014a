// Templates and controls of the dialogs the kit's tests show.
#pragma once

#define IDD_TEST_DIALOG 100
#define IDC_TEST_EDIT 1001
#define IDC_TEST_CHECK 1002
#define IDC_TEST_FAIL 1003

#define IDD_TEST_PAGE_NUMBER 200
#define IDC_PAGE_NUMBER 2001
#define IDD_TEST_PAGE_OPTION 201
#define IDC_PAGE_OPTION 2011
#define IDC_PAGE_FAIL 2012
#define IDD_TEST_PAGE_LAST 202
