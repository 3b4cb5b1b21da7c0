#include "app/callbacktable.h"

#include <string_view>

#include "app/ZAN1BSteuerung.h"
#include "app/chartimage.h"
#include "app/linetracemenu.h"
#include "app/livemonitor.h"
#include "app/maincallbacks.h"
#include "app/menucallbacks.h"
#include "app/messwertaufzeichnung.h"

namespace {

template <typename Pointer>
struct Named {
    std::string_view name;
    Pointer callback;
};

constexpr Named<PanelCallbackPtr> kPanelCallbacks[] = {
    {"Callback_MainAndKonfig_Panel", Callback_MainAndKonfig_Panel},
};

constexpr Named<CtrlCallbackPtr> kControlCallbacks[] = {
    {"Callback_Info_Button_Ok", Callback_Info_Button_Ok},
    {"Callback_Main_Togglebutton_Verbinden", Callback_Main_Togglebutton_Verbinden},
    {"Callback_Main_Button_Scann", Callback_Main_Button_Scann},
    {"Callback_Main_Button_IDLesen", Callback_Main_Button_IDLesen},
    {"Callback_Main_ButtonLesen", Callback_Main_ButtonLesen},
    {"Callback_Main_Button_Schreiben", Callback_Main_Button_Schreiben},
    {"Callback_Main_Numerics", Callback_Main_Numerics},
    {"Callback_Main_Numerics_Parametereingabe", Callback_Main_Numerics_Parametereingabe},
    {"Callback_Main_Ring_Betriebsart", Callback_Main_Ring_Betriebsart},
    {"Callback_Main_Timer", Callback_Main_Timer},
    {"Callback_Main_MultipleControls_Graphzoom", Callback_Main_MultipleControls_Graphzoom},
    {"Callback_Konfig_Button_Ok", Callback_Konfig_Button_Ok},
    {"Callback_Konfig_Button_Abbruch", Callback_Konfig_Button_Abbruch},
    {"Callback_Konfig_Button_AufStandardwerte", Callback_Konfig_Button_AufStandardwerte},
};

constexpr Named<MenuCallbackPtr> kMenuCallbacks[] = {
    {"Callback_Menu_Beenden", Callback_Menu_Beenden},
    {"Callback_Menu_Info", Callback_Menu_Info},
    {"Callback_Menu_Laden", Callback_Menu_Laden},
    {"Callback_Menu_Speichern", Callback_Menu_Speichern},
    {"Callback_Menu_Skalieren", Callback_Menu_Skalieren},
    {"Callback_Menu_Messwerte", Callback_Menu_Messwerte},
    {"Callback_Menu_Diagramm", Callback_Menu_Diagramm},
    {"Callback_Menu_Verkehr", Callback_Menu_Verkehr},
};

template <typename Pointer, std::size_t N>
Pointer Find(const Named<Pointer> (&table)[N], std::string_view name) {
    for (const auto& entry : table) {
        if (entry.name == name) return entry.callback;
    }
    return nullptr;
}

}  // namespace

void AttachCallbacks(userint::Resource& resource) {
    for (userint::PanelResource& panel : resource.panels) {
        panel.callback = Find(kPanelCallbacks, panel.callbackName);
        for (userint::ControlResource& control : panel.controls) {
            control.callback = Find(kControlCallbacks, control.callbackName);
        }
        for (userint::MenuResource& menu : panel.menuBar) {
            for (userint::MenuItemResource& item : menu.items) {
                item.callback = Find(kMenuCallbacks, item.callbackName);
            }
        }
    }
}
