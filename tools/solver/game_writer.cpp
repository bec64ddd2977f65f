#include "tools/solver/game_writer.h"

#include <fstream>

std::string viewText(const ViewPlan& view) {
    std::string s = "VIEW " + view.name + "\r\nBASEIMAGE NONE\r\nONLOADSTART\r\n";
    for (const std::string& line : view.onLoad) s += line + "\r\n";
    s += "ONLOADEND\r\n";
    for (const HotspotPlan& h : view.hotspots) {
        auto point = [](int x, int y) {
            return "(" + std::to_string(x) + "," + std::to_string(y) + ")";
        };
        s += "HOTSPOTSTART " + h.name + "\r\nCURSOR " + std::to_string(h.cursor) + "\r\n";
        s += "COORD " + point(h.x1, h.y1) + "," + point(h.x2, h.y1) + "," + point(h.x2, h.y2) +
             "," + point(h.x1, h.y2) + "\r\n";
        s += "ONCONDITION " + h.condition + "\r\nONCLICKSTART\r\n";
        for (const std::string& line : h.click) s += line + "\r\n";
        s += "ONCLICKEND\r\nHOTSPOTEND\r\n";
    }
    return s;
}

bool writeGame(const std::string& folder, const std::vector<ViewPlan>& views) {
    for (const ViewPlan& view : views) {
        std::ofstream out(folder + "/" + view.file, std::ios::binary);
        out << viewText(view);
        if (!out) return false;
    }
    return true;
}

std::vector<ViewPlan> dialsGame(int dials, int positions) {
    ViewPlan view{"init.scn", "dials", {}, {}};
    std::string all;
    for (int d = 0; d < dials; ++d) {
        const std::string name = "d" + std::to_string(d);
        const int x = (d % 6) * 100, y = (d / 6) * 100;
        view.hotspots.push_back(
            {name,
             6,
             x,
             y,
             x + 90,
             y + 90,
             "()",
             {"let " + name + "=" + name + "+1", "if " + name + "==" + std::to_string(positions),
              "let " + name + "=0", "endif"}});
        all += (all.empty() ? "" : "&") + name + "==" + std::to_string(positions - 1);
    }
    view.hotspots.push_back({"door", 2, 0, 400, 640, 480, "(" + all + ")", {"quit"}});
    return {view};
}
