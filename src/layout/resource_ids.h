/* Control, menu and icon IDs of the main window. Plain macros so that the resource
   compiler reads this header as well as C++. */
#ifndef VESK_RESOURCE_IDS_H
#define VESK_RESOURCE_IDS_H

#define IDI_MAIN 105

#define IDC_ENEMY_LIST 1005
#define IDC_HP_LIST 1006
#define IDC_ABILITY_CHOICE 1007
#define IDC_KERO_LIST 1008
#define IDC_STAT_ATTACK 1009
#define IDC_STAT_DEFENSE 1010
#define IDC_STAT_SPEED 1011
#define IDC_STAT_MAGIC 1012
#define IDC_ABILITY_LIST 1013
#define IDC_REPLACE 1014

#define IDM_OPEN 1001
#define IDM_EXIT 1004
#define IDM_AUTO_BACKUP 40004
#define IDM_SAVE 40005
#define IDM_SAVE_AS 40006

/* The dialog manager's own accept and cancel commands. */
#define IDC_DIALOG_OK 1
#define IDC_DIALOG_CANCEL 2

#endif
