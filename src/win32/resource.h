// Identifiers shared by the resource script and the window code.
#define IDI_ORVANE 1
#define IDR_FORM1_KEYS 101
#define IDM_ENGLISH 1001
#define IDM_FRENCH 1002
#define IDM_QUIT 1003
#define IDM_AUTHOR 1004
#define IDM_CHECK_SCREENS 1005
#define IDM_UNDO 1006
