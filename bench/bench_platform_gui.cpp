// Cost of building windows with the toolkit layer: 50 forms of 20 mixed controls each,
// created and freed, against the same number of Qt widgets made directly.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"

namespace {

constexpr int kForms = 50;
constexpr int kControls = 20;

void BuildForm(TForm* form)
{
    for (int i = 0; i < kControls; ++i) {
        const int y = 4 + i * 24;
        TControl* c = nullptr;
        switch (i % 5) {
        case 0: {
            auto* l = new TLabel(form);
            l->SetCaption("Label " + IntToStr(i));
            c = l;
            break;
        }
        case 1: {
            auto* e = new TEdit(form);
            e->SetMaxLength(31);
            c = e;
            break;
        }
        case 2: {
            auto* cb = new TComboBox(form);
            cb->SetStyle(csDropDownList);
            for (const char* s : {"AS923", "AU915", "EU868", "KR920"}) cb->Items()->Add(s);
            cb->SetItemIndex(0);
            c = cb;
            break;
        }
        case 3: {
            auto* p = new TPanel(form);
            p->SetCaption("Panel");
            c = p;
            break;
        }
        default: {
            auto* ch = new TCheckBox(form);
            ch->SetCaption("Option");
            c = ch;
            break;
        }
        }
        c->SetParent(form);
        c->SetBounds(10, y, 180, 21);
    }
}

void BM_ToolkitForms(benchmark::State& state)
{
    Application->Initialize();
    for (auto _ : state) {
        std::vector<TForm*> forms;
        for (int f = 0; f < kForms; ++f) {
            auto* form = new TForm(nullptr);
            BuildForm(form);
            forms.push_back(form);
        }
        for (TForm* form : forms) form->Free();
        // As in the program, the event loop runs between windows' lives.
        Application->ProcessMessages();
    }
    state.SetItemsProcessed(state.iterations() * kForms * kControls);
}
BENCHMARK(BM_ToolkitForms)->Unit(benchmark::kMillisecond)->MinTime(0.5);

// Baseline: the same number of plain widgets, made and freed directly.
void BM_QtPlainWidgets(benchmark::State& state)
{
    Application->Initialize();
    for (auto _ : state) {
        std::vector<QWidget*> windows;
        for (int f = 0; f < kForms; ++f) {
            auto* w = new QWidget();
            for (int i = 0; i < kControls; ++i) {
                auto* c = new QWidget(w);
                c->setGeometry(10, 4 + i * 24, 180, 21);
            }
            windows.push_back(w);
        }
        for (QWidget* w : windows) delete w;
        Application->ProcessMessages();
    }
    state.SetItemsProcessed(state.iterations() * kForms * kControls);
}
BENCHMARK(BM_QtPlainWidgets)->Unit(benchmark::kMillisecond)->MinTime(0.5);

// Baseline: the Qt widgets of the same kinds, made and freed directly.
void BM_QtNativeWidgets(benchmark::State& state)
{
    Application->Initialize();
    for (auto _ : state) {
        std::vector<QWidget*> windows;
        for (int f = 0; f < kForms; ++f) {
            auto* w = new QWidget();
            for (int i = 0; i < kControls; ++i) {
                QWidget* c = nullptr;
                switch (i % 5) {
                case 0: c = new QLabel("Label " + QString::number(i), w); break;
                case 1: {
                    auto* e = new QLineEdit(w);
                    e->setMaxLength(31);
                    c = e;
                    break;
                }
                case 2: {
                    auto* cb = new QComboBox(w);
                    cb->addItems({"AS923", "AU915", "EU868", "KR920"});
                    cb->setCurrentIndex(0);
                    c = cb;
                    break;
                }
                case 3: c = new QFrame(w); break;
                default: c = new QCheckBox("Option", w); break;
                }
                c->setGeometry(10, 4 + i * 24, 180, 21);
            }
            windows.push_back(w);
        }
        for (QWidget* w : windows) delete w;
        Application->ProcessMessages();
    }
    state.SetItemsProcessed(state.iterations() * kForms * kControls);
}
BENCHMARK(BM_QtNativeWidgets)->Unit(benchmark::kMillisecond)->MinTime(0.5);

}

BENCHMARK_MAIN();
