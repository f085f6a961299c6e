#define IDS_FIXTURE_ONE 1
#define ids_fixture_one 2
#define IDS_FIXTURE_TWO 2
