// Identifiers of the program's resources and of the dialog items the code talks to.
#pragma once

// Dialog templates
#define IDD_ABOUT                 100
#define IDD_SETUP                 130
#define IDD_ADAPTER_RESOURCES     136
#define IDD_ISDN_PARAMETERS       137

// Pictures
#define IDB_ADAPTER_CARD          131
#define IDB_ISDN_LINE             132
#define IDB_ABOUT_EMBLEM          134

// Strings
#define IDS_WINMSD_FAILED         1

// Buttons shared by both pages
#define IDC_HELP_BUTTON           3
#define IDC_ABOUT_BUTTON          4
#define IDC_WINMSD                1009
#define IDC_DEFAULTS              1021

// Adapter Resources page
#define IDC_ADAPTER_PICTURE       1000
#define IDC_IOBASE_LABEL          1004
#define IDC_INTERRUPT_LABEL       1005
#define IDC_IOBASE                1006
#define IDC_INTERRUPT             1007
#define IDC_RING_PATTERN_LABEL    1015
#define IDC_VOICE_ENABLED         1016
#define IDC_RING_PATTERN          1017

// ISDN Parameters page
#define IDC_ISDN_PICTURE          1001
#define IDC_NUM_NUMBERS           1010
#define IDC_SWITCH_LABEL          1012
#define IDC_SWITCH_TYPE           1013
#define IDC_PHONE1_LABEL          1014
#define IDC_PHONE1                1018
#define IDC_SPID1_LABEL           1019
#define IDC_SPID1                 1020
#define IDC_PHONE2                1022
#define IDC_SPID2                 1023
#define IDC_PHONE2_LABEL          1024
#define IDC_SPID2_LABEL           1025
#define IDC_NUM_NUMBERS_LABEL     1026

// About box
#define IDC_ABOUT_PICTURE         1020
#define IDC_ABOUT_PRODUCT         1021
#define IDC_ABOUT_VERSION         1022
#define IDC_ABOUT_COPYRIGHT       1024
#define IDC_ABOUT_TRADEMARK       1025
