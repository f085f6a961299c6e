//{{NO_DEPENDENCIES}}
// Resource identifiers of TorvBase.dll, embedded in the library as
// METADATA "RESOURCE.H" so they can be looked up by name at run time.
//
#define ID_LEGACY_START                 32768   // 0x8000
#define ID_LEGACY_END                   40959   // 0x9FFF
#define ID_CMD_START                    40960   // 0xA000
#define ID_CMD_END                      57342   // 0xDFFE
#define ID_NULL                         57343   // 0xDFFF
#define IDR_MAINFRAME                   1
#define IDR_SCANTYPE                    2
#define IDR_SCANTYPE2                   3
#define IDDEFAULTS                      3
#define IDAPPLY                         4
#define IDR_PROJECT_TYPE2               24
#define IDD_ABOUTBOX                    4096
#define IDC_ANGLE_THRESHOLD             4096
#define IDC_ANGLE_THRESHOLD_SPIN        4097
#define IDC_APPLY                       4098
#define	IDC_EXPORT_FILENAME             4099
#define IDC_EXPORT_NAMES                4100
#define IDC_EXPORT_NAMESLEVEL           4101
#define IDC_MEASURE                     4102
#define IDC_NAME                        4103
#define IDC_REFLECTION_THRESHOLD        4104
#define IDC_REFLECTION_THRESHOLD_SPIN   4105
#define	IDC_SCAN_RADIUS_SPIN            4106
#define IDC_SCAN_STEP_SPIN              4107
#define IDC_SNAP_RADIUS_SPIN            4108
#define IDC_SYSTEM_ID                   4109
#define IDC_UNBOUNDED_PLANES            4110
#define IDC_EDGEDETECTOR_SETTINGS       4111
#define IDC_LENGTH                      4112
#define	IDC_POS_X                       4113
#define IDC_POS_Y                       4114
#define IDC_POS_Z                       4115
#define IDC_STATIC_ANGLE1               4116
#define IDC_STATIC_ANGLE2               4117
#define IDC_STATIC_ANGLE3               4118
#define IDC_STATIC_ANGLE4               4119
#define	IDC_STATIC_ANGLE5               4120
#define IDC_STATIC_LENGTH1              4121
#define IDC_STATIC_LENGTH2              4122
#define IDC_STATIC_LENGTH3              4123
#define IDC_STATIC_LENGTH4              4124
#define IDC_STATIC_LENGTH5              4125
#define IDC_STATIC_LENGTH6              4126
#define	IDC_STATIC_LENGTH7              4127
#define IDC_STATIC_LENGTH8              4128
#define IDC_STATIC_LENGTH9              4129
#define IDC_STATIC_LENGTH10             4130
#define IDC_STATIC_LENGTH11             4131
#define IDC_STATIC_LENGTH12             4132
#define IDC_STATIC_SMALLLENGTH1         4133
#define	IDC_STATIC_SMALLLENGTH2         4134
#define IDC_STATIC_SMALLLENGTH3         4135
#define IDC_CONTROL1                    4136
#define IDC_CONTROL2                    4137
#define IDC_CONTROL3                    4138
#define IDC_CONTROL4                    4139
#define IDC_CONTROL5                    4140
#define	IDC_CONTROL6                    4141
#define IDC_CONTROL7                    4142
#define IDC_CONTROL8                    4143
#define IDC_CONTROL9                    4144
#define IDC_CONTROL10                   4145
#define IDS_PROJNAME                    4096

// Next default values for new objects
//
#ifdef APSTUDIO_INVOKED
#ifndef APSTUDIO_READONLY_SYMBOLS
#define _APS_NEXT_RESOURCE_VALUE        201
#define _APS_NEXT_COMMAND_VALUE         32768
#define _APS_NEXT_CONTROL_VALUE         4146
#define _APS_NEXT_SYMED_VALUE           101
#endif
#endif
