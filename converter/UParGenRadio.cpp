// The LoRaWAN band, its data-rate list and the largest payload they allow.
#include "converter/UParGen.h"
#include "converter/UParGenDesign.h"

using namespace pargen;

void TFParGen::Change_LoRa_DataRate()
{
    TStringList* items = CB_LoRa_DataRate->Items();
    items->Clear();
    if (const TBandTable* band = Find_Band(List_Text(CB_LoRa_RF_Band)))
        for (int i = 0; i < band->Count; ++i) items->Add(band->Rates[i].Text);
    CB_LoRa_DataRate->SetItemIndex(items->Count() > 0 ? 0 : -1);
}

uint8_t TFParGen::Find_Max_PayLoad()
{
    const TBandTable* band = Find_Band(List_Text(CB_LoRa_RF_Band));
    if (!band) return 0;
    const String rate = List_Text(CB_LoRa_DataRate);
    for (int i = 0; i < band->Count; ++i)
        if (rate == band->Rates[i].Text) return band->Rates[i].Max_Payload;
    return 0;
}

void TFParGen::Set_Max_Payload_Size()
{
    E_LoRa_Payload_Size->SetText(IntToStr(Find_Max_PayLoad()));
}
