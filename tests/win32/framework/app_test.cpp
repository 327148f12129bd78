// The application object, the error box and the dialogs, answered through a CBT hook as a user would.
#include "Dialogs.h"
#include "FrameworkTest.h"
#include "TestForm.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {
struct TSeenBox {
    std::u16string Caption, Text;
    HICON Icon = nullptr;
    int Count = 0;
};

// Answers every message box with `button`, noting what it showed.
TActivationHook AnswerBoxes(TSeenBox& seen, int button) {
    return TActivationHook([&seen, button](HWND w) {
        wchar_t cls[16] = {};
        GetClassNameW(w, cls, 16);
        if (lstrcmpW(cls, L"#32770") != 0) return;
        ++seen.Count;
        seen.Caption = WindowText(w);
        seen.Text = MessageBoxText(w);
        HWND icon = FindChild(w, u"Static", u"");
        seen.Icon = icon ? reinterpret_cast<HICON>(SendMessageW(icon, STM_GETICON, 0, 0)) : nullptr;
        PostMessageW(w, WM_COMMAND, button, 0);
    });
}

// Reports exceptions instead of showing them.
struct TCaught {
    std::vector<std::string> Messages;
    TCaught() {
        Application->OnException.Code = [this](TObject*, const Exception& e) {
            Messages.push_back(e.Message());
        };
    }
    ~TCaught() { Application->OnException = {}; }
};

// Answers the input dialog: checks what it shows, types `text` and presses `button`.
TActivationHook AnswerInput(const char16_t* text, const char16_t* button, std::u16string& shown) {
    return TActivationHook([text, button, &shown](HWND w) {
        if (WindowText(w) != u"Invalid host") return;
        HWND edit = FindChild(w, u"TEdit");
        shown = WindowText(edit);
        if (text) SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
        PostMessageW(FindChild(w, u"TButton", button), BM_CLICK, 0, 0);
    });
}

} // namespace

TEST(ErrorBox, StopIconTitleAndFullStop) {
    Application->SetTitle("QUARLINK Config");
    TSeenBox box;
    auto hook = AnswerBoxes(box, IDOK);
    auto shown = [&](const std::string& message) {
        Application->HandleException(std::make_exception_ptr(Exception(message)));
        return box.Text;
    };
    EXPECT_EQ(shown("abc"), u"abc.");
    EXPECT_EQ(shown("abc."), u"abc.");
    EXPECT_EQ(shown("abc!"), u"abc!"); // '!' sorts below '.'
    EXPECT_EQ(shown("'' is not a valid integer value"), u"'' is not a valid integer value.");
    EXPECT_EQ(shown("请先连接！"), u"请先连接！.");
    EXPECT_EQ(box.Count, 5);
    EXPECT_EQ(box.Caption, u"QUARLINK Config");
    EXPECT_EQ(box.Icon, LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_HAND)));
    Application->HandleException(std::make_exception_ptr(std::runtime_error("plain")));
    EXPECT_EQ(box.Text, u"plain.");
    Application->HandleException(nullptr); // nothing to show
    EXPECT_EQ(box.Count, 6);
}

TEST(Exceptions, LeavingAClickHandlerEndsInTheErrorBox) {
    auto form = ReadTestForm();
    form->Show();
    Application->SetTitle("Test");
    TSeenBox box;
    auto hook = AnswerBoxes(box, IDOK);
    form->OnButton = [] { throw EConvertError(Format("'%s' is not a valid integer value", "")); };
    SendMessageW(form->Button1->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(box.Text, u"'' is not a valid integer value.");
    EXPECT_EQ(box.Caption, u"Test");
    {
        TCaught caught;
        form->OnButton = [] { throw std::runtime_error("through the loop"); };
        PostMessageW(form->Button1->Handle(), BM_CLICK, 0, 0);
        Pump();
        form->SetColor(clRed); // the form goes on working
        EXPECT_EQ(caught.Messages, std::vector<std::string>{"through the loop"});
    }
    EXPECT_EQ(form->Clicks, 2);
    EXPECT_EQ(box.Count, 1);
}

TEST(Exceptions, LeavingATimerHandlerReachesHandleException) {
    TCaught caught;
    TOwned<TTimer> timer(new TTimer(nullptr));
    int ticks = 0;
    timer->OnTimer.Code = [&](TObject*) {
        ++ticks;
        throw Exception("tick");
    };
    timer->SetInterval(10);
    for (DWORD start = GetTickCount(); ticks < 2 && GetTickCount() - start < 3000;) {
        Pump();
        Sleep(5);
    }
    EXPECT_GE(ticks, 2); // the timer goes on
    ASSERT_GE(caught.Messages.size(), 2u);
    EXPECT_EQ(caught.Messages[0], "tick");
    timer->SetEnabled(false);
    int stopped = ticks;
    Sleep(50);
    Pump();
    EXPECT_EQ(ticks, stopped);
}

TEST(Dialogs, InputQueryOkTakesTheTextCancelLeavesIt) {
    std::string value = "unresolvable.invalid";
    std::u16string shown;
    {
        auto hook = AnswerInput(u"192.168.0.101", u"OK", shown);
        EXPECT_TRUE(InputQuery("Invalid host", "Specify valid hostname: ", value));
    }
    EXPECT_EQ(shown, u"unresolvable.invalid");
    EXPECT_EQ(value, "192.168.0.101");
    {
        auto hook = AnswerInput(u"other", u"Cancel", shown);
        EXPECT_FALSE(InputQuery("Invalid host", "Specify valid hostname: ", value));
    }
    EXPECT_EQ(value, "192.168.0.101");
    EXPECT_EQ(Screen->FormCount(), 0); // the dialog is gone
}

TEST(Dialogs, InputQueryKeysAndPrompt) {
    std::string value = "a";
    std::string prompt;
    auto press = [&](WPARAM key) {
        return TActivationHook([&prompt, key](HWND w) {
            if (WindowText(w) != u"Invalid host") return;
            auto* form = dynamic_cast<TForm*>(FindControl(w));
            for (int i = 0; form && i < form->ComponentCount(); ++i)
                if (auto* label = dynamic_cast<TLabel*>(form->Components(i))) prompt = label->Caption();
            HWND edit = FindChild(w, u"TEdit");
            SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"typed"));
            PostMessageW(edit, WM_KEYDOWN, key, 0);
        });
    };
    {
        auto hook = press(VK_RETURN); // the default button
        EXPECT_TRUE(InputQuery("Invalid host", "主机名: ", value));
    }
    EXPECT_EQ(value, "typed");
    EXPECT_EQ(prompt, "主机名: ");
    value = "kept";
    {
        auto hook = press(VK_ESCAPE); // the cancel button
        EXPECT_FALSE(InputQuery("Invalid host", "主机名: ", value));
    }
    EXPECT_EQ(value, "kept");
}

TEST(Dialogs, ShowMessageAndMessageDlg) {
    Application->SetTitle("QUARLINK Config");
    TSeenBox box;
    {
        auto hook = AnswerBoxes(box, IDOK);
        ShowMessage("请先连接！");
    }
    EXPECT_EQ(box.Text, u"请先连接！"); // as given: no full stop here
    EXPECT_EQ(box.Caption, u"QUARLINK Config");
    EXPECT_EQ(box.Icon, nullptr);
    {
        auto hook = AnswerBoxes(box, IDNO);
        EXPECT_EQ(MessageDlg("Sure?", mtConfirmation, 1u << mbYes | 1u << mbNo), mrNo);
    }
    EXPECT_EQ(box.Caption, u"Confirm");
}

TEST(Forms, CloseActionsHideFreeOrKeep) {
    int forms = Screen->FormCount();
    auto* form = ReadTestForm().release();
    TCloseAction action = caNone;
    form->OnClose.Code = [&](TObject*, TCloseAction& a) { a = action; };
    form->Show();
    EXPECT_EQ(Screen->ActiveForm(), form);
    form->Close(); // caNone: stays
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    action = caHide;
    form->Close();
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    EXPECT_EQ(Screen->FormCount(), forms + 1);
    action = caFree; // freed once the close has returned
    HWND wnd = form->Handle();
    form->Show();
    PostMessageW(wnd, WM_CLOSE, 0, 0);
    Pump();
    EXPECT_FALSE(IsWindow(wnd));
    EXPECT_EQ(Screen->FormCount(), forms);
}

TEST(Forms, ShowModalEndsWithTheButtonsResult) {
    auto form = ReadTestForm();
    form->Button1->ModalResult = mrRetry;
    TActivationHook hook([&](HWND w) {
        if (w == form->Handle()) PostMessageW(form->Button1->Handle(), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(form->ShowModal(), mrRetry);
    EXPECT_EQ(form->Clicks, 1);
    EXPECT_FALSE(form->Visible());
    EXPECT_FALSE(form->Modal());
    EXPECT_THROW((form->Show(), form->ShowModal()), Exception); // already visible
}

// Last in this file: Run ends the application for good.
TEST(Application, CreateFormReadsItsResourceAndRunEndsWithTheMainForm) {
    Application->Initialize();
    TResForm* form = nullptr;
    Application->CreateForm(form);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(Application->MainForm(), form);
    EXPECT_EQ(form->Caption(), "From the resource (资源)");
    EXPECT_EQ(form->Creates, 1);
    EXPECT_EQ(form->Owner(), Application);
    TTestForm* missing = nullptr;
    EXPECT_THROW(Application->CreateForm(missing), EResNotFound);
    EXPECT_EQ(missing, nullptr);
    PostMessageW(form->Handle(), WM_CLOSE, 0, 0);
    Application->Run(); // returns once the main form is closed
    EXPECT_TRUE(Application->Terminated());
    EXPECT_EQ(form->Closes, 1);
    EXPECT_TRUE(form->Visible());
    form->Free();
    EXPECT_EQ(Application->MainForm(), nullptr);
}
