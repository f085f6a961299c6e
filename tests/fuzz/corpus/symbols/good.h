// Resource symbols of the fixture module.
#define IDS_FIXTURE_ONE                 1
#define IDS_FIXTURE_TWO                 2
#define IDR_FIXTURE_TEXT                IDS_FIXTURE_TWO
#pragma once
