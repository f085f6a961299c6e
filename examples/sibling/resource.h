//{{NO_DEPENDENCIES}}
// Resource identifiers of Sibling.dll, embedded in the module as METADATA
// "RESOURCE.H" so a host can look them up by name.
//
#define IDS_GREETING                    101
#define IDS_SHAPE_FORMAT                102
#define IDS_CIRCLE                      103
#define IDS_SQUARE                      104
#define IDS_LANGUAGE_NAME               105
#define IDR_SIBLING_NOTES               201
