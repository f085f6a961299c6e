// Resource identifiers of Words.dll, embedded in it as "RESOURCE.H" so
// that they can be looked up by name.
#define IDS_GREETING 101
#define IDS_ITEMS    102
