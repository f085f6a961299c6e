#define IDS_ONE 1
#define IDS_TWO 0x2
#define   ID_SAME  2
//#define HIDDEN 3
#define ODD
#define BIG 99999999999
