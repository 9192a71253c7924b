// Resource and control ids shared by the resource script and the code.
#pragma once

// Controls the code never addresses (windows.h leaves this undefined).
#ifndef IDC_STATIC
#define IDC_STATIC              (-1)
#endif

// Templates and resources
#define IDD_ABOUTBOX            100
#define IDD_VELLTUNE_DIALOG     102
#define IDR_MAINFRAME           128
#define IDR_MAINMENU            129
#define IDD_SET_DATA_FOLDER     130
#define IDD_RESTORE             131

// Main dialog: push buttons
#define IDC_APPLY               3

// Main dialog: smooth scroll group
#define IDC_CHECK_ADDRESSBAR    1000
#define IDC_CHECK_SEARCHBAR     1001
#define IDC_RADIO_SCROLL_ON     1003
#define IDC_RADIO_SCROLL_OFF    1004
#define IDC_CHECK_FAVORITES     1005
#define IDC_EDIT_FOREPART       1007
#define IDC_EDIT_END            1008
#define IDC_EDIT_ACCEL          1009
#define IDC_EDIT_STEP           1010
#define IDC_EDIT_MINSIZE        1011
#define IDC_ACCOUNT_LIST        1012
#define IDC_EDIT_DEFAULTSIZE    1013
#define IDC_SPIN_FOREPART       1014
#define IDC_SPIN_END            1015
#define IDC_SPIN_ACCEL          1016
#define IDC_SPIN_STEP           1017
#define IDC_RESET_SCROLL        1018
#define IDC_SPIN_MINSIZE        1019
#define IDC_FACE_SERIF          1020
#define IDC_FACE_SANSSERIF      1021
#define IDC_FACE_STANDARD       1022
#define IDC_FACE_FIXED          1023
#define IDC_FACE_CURSIVE        1024
#define IDC_FACE_FANTASY        1025
#define IDC_FACE_SETALL         1026
#define IDC_CHECK_SETALL        1027
#define IDC_SPIN_DEFAULTSIZE    1028
#define IDC_EDIT_MINLOGICALSIZE 1029
#define IDC_SPIN_MINLOGICALSIZE 1030
#define IDC_EDIT_FIXEDSIZE      1031
#define IDC_SPIN_FIXEDSIZE      1032
#define IDC_RESET_FONTS         1033
#define IDC_GROUP_SCROLL        1034
#define IDC_LABEL_FOREPART      1035
#define IDC_LABEL_END           1036
#define IDC_LABEL_ACCEL         1037
#define IDC_LABEL_STEP          1038
#define IDC_LABEL_ACCOUNT       1039
#define IDC_GROUP_NEWTAB        1040
#define IDC_GROUP_FONT          1041
#define IDC_LABEL_SERIF         1042
#define IDC_LABEL_SANSSERIF     1043
#define IDC_LABEL_STANDARD      1044
#define IDC_LABEL_FIXED         1045
#define IDC_LABEL_CURSIVE       1046
#define IDC_LABEL_FANTASY       1047
#define IDC_LABEL_DEFAULTSIZE   1048
#define IDC_LABEL_FIXEDSIZE     1049
#define IDC_LABEL_MINSIZE       1050
#define IDC_LABEL_MINLOGICALSIZE 1051

// Set-data-folder dialog
#define IDC_DATAFOLDER_EDIT     1052
#define IDC_DATAFOLDER_BROWSE   1053
#define IDC_DATAFOLDER_PROMPT   1054

// About box
#define IDC_ABOUT_TRANSLATION   1055
#define IDC_ABOUT_VERSION       1056
#define IDC_ABOUT_AUTHOR        1057
#define IDC_ABOUT_THANKS        1058

// Restore dialog
#define IDC_RESTORE_LIST        1061

// Menu commands
#define ID_MENU_ABOUT           32772
#define ID_MENU_EXIT            32778
#define ID_MENU_SETDATAFOLDER   32779
#define ID_MENU_EXPORT          32780
#define ID_MENU_IMPORT          32781
#define ID_MENU_RESTORE         32782
#define ID_LANGUAGE_FIRST       35000
