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

void AppendZoneLine(LineBuilder line, const TZInfo &z) noexcept {
    const TZChar tab = u'\t';
    line.Unsigned(z.TZID, 5).Unit(tab)
        .Signed(z.Offset, 6).Unit(tab)
        .Unsigned(z.Type, 4).Unit(tab)
        .Unsigned(z.StdMonth, 8).Unit(tab)
        .Unsigned(z.StdDay, 12).Unit(tab)
        .Unsigned(z.StdDayOfWeek, 6).Unit(tab)
        .Unsigned(z.StdHour, 7).Unit(tab)
        .Signed(z.StdOffSet, 9).Unit(tab)
        .Unsigned(z.DltMonth, 8).Unit(tab)
        .Unsigned(z.DltDay, 12).Unit(tab)
        .Unsigned(z.DltDayOfWeek, 6).Unit(tab)
        .Unsigned(z.DltHour, 7).Unit(tab)
        .Signed(z.DltOffset, 9).Unit(tab)
        .Signed(z.X).Unit(tab)
        .Signed(z.Y).Unit(tab)
        .Unsigned(z.Contact, 5).Unit(tab)
        .FieldText(ViewOf(z.Detail, kFieldUnits - 1))
        .Text(kCrLf);
}

}  // namespace kelvane
