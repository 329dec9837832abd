#include "catalogue/catalogue_files.h"

namespace kelvane {

void ReadZoneNumbers(const RecordLine &line, TZInfo *zone) noexcept {
    zone->TZID = line.U16(0);
    zone->Offset = line.Number(1);
    zone->Type = line.U16(2);
    zone->StdMonth = line.U16(3);
    zone->StdDay = line.U16(4);
    zone->StdDayOfWeek = line.U16(5);
    zone->StdHour = line.U16(6);
    zone->StdOffSet = line.Number(7);
    zone->DltMonth = line.U16(8);
    zone->DltDay = line.U16(9);
    zone->DltDayOfWeek = line.U16(10);
    zone->DltHour = line.U16(11);
    zone->DltOffset = line.Number(12);
    zone->X = line.Number(13);
    zone->Y = line.Number(14);
    zone->Contact = line.U16(15);
}

}  // namespace kelvane
