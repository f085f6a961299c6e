// The resource symbols of PackageModule, embedded in it by the module kit.
#define IDS_PACKAGE_GREETING 4711
#define IDS_PACKAGE_ALIAS IDS_PACKAGE_GREETING
