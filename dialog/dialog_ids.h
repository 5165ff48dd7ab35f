// Resource and control ids of the settings dialog; shared by the template
// (quorrel.rc) and the dialog procedure.
#pragma once

#define IDD_QUORREL_SETTINGS 101

#define IDC_Y_A2 1004
#define IDC_Y_A3 1005
#define IDC_Y_A4 1006
#define IDC_Y_B1 1002
#define IDC_Y_B2 1003
#define IDC_Y_B3 1009
#define IDC_Y_B4 1010
#define IDC_UV_A2 1011
#define IDC_UV_A3 1013
#define IDC_UV_A4 1014
#define IDC_UV_B1 1012
#define IDC_UV_B2 1015
#define IDC_UV_B3 1016
#define IDC_UV_B4 1017
