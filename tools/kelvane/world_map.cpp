#include "world_map.h"

#include <cmath>
#include <cstdio>

namespace kelvane::tool {
namespace {
constexpr double kScale = 4;    // pixels a degree
constexpr double kTop = 28;     // room for the offsets along the top
constexpr double kMargin = 16;  // room for the labels at the date line
constexpr double kWidth = 360 * kScale + 2 * kMargin, kHeight = 180 * kScale + kTop + 24;

double X(double longitude) { return kMargin + (longitude + 180) * kScale; }
double Y(double latitude) { return kTop + (90 - latitude) * kScale; }

std::string Escaped(const std::string &text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

// Offsets from UTC-12 to UTC+14 around the colour wheel; neighbouring
// whole hours alternate in lightness so that they stand apart.
std::string OffsetColour(int minutes) {
    const double hue = std::fmod((minutes + 12 * 60) / (26.0 * 60) * 330 + 360, 360);
    const int hours = (minutes + 24 * 60) / 60;
    return "hsl(" + Number(hue) + ",80%," + (hours % 2 == 0 ? "38%" : "55%") + ")";
}

std::string OffsetLabel(int minutes) {
    const int magnitude = std::abs(minutes);
    char text[16];
    if (magnitude % 60 == 0)
        std::snprintf(text, sizeof text, "%c%d", minutes < 0 ? '-' : '+', magnitude / 60);
    else
        std::snprintf(text, sizeof text, "%c%d:%02d", minutes < 0 ? '-' : '+', magnitude / 60, magnitude % 60);
    return minutes == 0 ? std::string("0") : text;
}

std::string Graticule() {
    // The edges of the hour bands, each 15 degrees wide around its meridian.
    std::string svg = "<g class=\"graticule\" stroke=\"#9ab\" stroke-width=\"0.5\">\n";
    for (double lon = -172.5; lon < 180; lon += 15)
        svg += "<line x1=\"" + Number(X(lon)) + "\" y1=\"" + Number(Y(90)) + "\" x2=\"" + Number(X(lon)) + "\" y2=\"" +
               Number(Y(-90)) + "\"/>\n";
    for (int lat = -60; lat <= 60; lat += 30)
        svg += "<line x1=\"" + Number(X(-180)) + "\" y1=\"" + Number(Y(lat)) + "\" x2=\"" + Number(X(180)) + "\" y2=\"" +
               Number(Y(lat)) + "\"/>\n";
    svg += "</g>\n<g class=\"offsets\" font-size=\"11\" text-anchor=\"middle\" fill=\"#345\">\n";
    for (int hours = -12; hours <= 12; ++hours)
        svg += "<text x=\"" + Number(X(hours * 15)) + "\" y=\"18\">" + OffsetLabel(hours * 60) + "</text>\n";
    return svg + "</g>\n";
}

std::string Marker(const MapZone &z) {
    const std::string x = Number(X(z.longitude)), y = Number(Y(z.latitude));
    std::string svg = "<g class=\"zone\" data-zone=\"" + std::to_string(z.id) + "\">";
    svg += "<title>" + std::to_string(z.id) + " " + Escaped(z.name) + " (UTC" + OffsetLabel(z.utcOffsetMinutes) +
           ")</title>";
    if (z.current || z.favourite)
        svg += "<circle cx=\"" + x + "\" cy=\"" + y + "\" r=\"8\" fill=\"none\" stroke=\"" +
               (z.current ? "#000" : "#f90") + "\" stroke-width=\"" + (z.current ? "3" : "2") + "\"/>";
    svg += "<circle cx=\"" + x + "\" cy=\"" + y + "\" r=\"4.5\" fill=\"" + OffsetColour(z.utcOffsetMinutes) +
           "\" stroke=\"#fff\" stroke-width=\"0.8\"/>";
    svg += "<text x=\"" + Number(X(z.longitude) + 6) + "\" y=\"" + Number(Y(z.latitude) - 5) + "\">" +
           std::to_string(z.id) + "</text></g>\n";
    return svg;
}
}  // namespace

std::string WorldMapSvg(const std::vector<MapZone> &zones, const std::vector<MapPlace> &places,
                        const std::string &caption) {
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
                      Number(kWidth) + "\" height=\"" + Number(kHeight) + "\" viewBox=\"0 0 " + Number(kWidth) + " " +
                      Number(kHeight) + "\" font-family=\"sans-serif\">\n";
    svg += "<rect width=\"100%\" height=\"100%\" fill=\"#fff\"/>\n<rect x=\"" + Number(X(-180)) + "\" y=\"" +
           Number(kTop) + "\" width=\"" + Number(360 * kScale) + "\" height=\"" + Number(180 * kScale) +
           "\" fill=\"#eef4f8\"/>\n";
    svg += Graticule();
    svg += "<g class=\"places\" fill=\"#789\">\n";
    for (const MapPlace &p : places)
        svg += "<circle cx=\"" + Number(X(p.longitude)) + "\" cy=\"" + Number(Y(p.latitude)) + "\" r=\"1.3\"><title>" +
               Escaped(p.name) + "</title></circle>\n";
    svg += "</g>\n<g class=\"zones\" font-size=\"9\" fill=\"#123\">\n";
    for (const MapZone &z : zones) svg += Marker(z);
    svg += "</g>\n<text x=\"6\" y=\"" + Number(kHeight - 8) + "\" font-size=\"12\" fill=\"#345\">" + Escaped(caption) +
           "</text>\n</svg>\n";
    return svg;
}

}  // namespace kelvane::tool
