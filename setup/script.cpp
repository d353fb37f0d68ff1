#include "setup/script.h"

#include <cctype>

#include "base/filename.h"
#include "base/registry.h"
#include "frame/approot.h"
#include "frame/langmodule.h"
#include "hooks/setuphook.h"
#include "lang/langids.h"
#include "setup/configkeys.h"
#include "ui/msgbox.h"

namespace {

constexpr const char* SCRIPTKEY = "Software\\Ombix\\";

STRING Caption() { return OSYS::GetStringFromResource(IDS_SETUP_CAPTION); }

void Info(int textId) { InfoMsgBox(nullptr, Caption().Text(), OSYS::GetStringFromResource(textId).Text()); }
void Error(int textId) { ErrorMsgBox(nullptr, Caption().Text(), OSYS::GetStringFromResource(textId).Text()); }

void ReportWrite(bool written)
{
    if (written)
        Info(IDS_REG_WRITE_DONE);
    else
        Error(IDS_REG_WRITE_FAILED);
}

bool WriteBinary(const STRING& fields, const STRING& bytes)
{
    REGISTRY key(HKEY_LOCAL_MACHINE, SCRIPTKEY, ListField(fields, 0).Text(), REGISTRY_CREATE);
    return key.Write(ListField(fields, 1).Text(), bytes.Buffer, DWORD(bytes.Length()));
}

// Pairs of hexadecimal digits; a last single digit is ignored. A pair that is not hexadecimal
// makes the whole text invalid, so that a mistyped command writes nothing.
bool DecodeHexPairs(const STRING& text, STRING& bytes)
{
    bytes.Make(0);
    for (STRING_SIZE_T i = 0; i + 1 < text.Length(); i += 2) {
        unsigned char high = (unsigned char)text.Buffer[i], low = (unsigned char)text.Buffer[i + 1];
        if (!isxdigit(high) || !isxdigit(low))
            return false;
        auto digit = [](unsigned char c) { return isdigit(c) ? c - '0' : (tolower(c) - 'a' + 10); };
        char byte = char(digit(high) * 16 + digit(low));
        bytes.AppendBytes(&byte, 1);
    }
    return true;
}

void Admin(const STRING& request)
{
    if (!fpSetupHook || fpSetupHook(HOOK_ADMIN, request.Text()) == 0)
        return;
    if (request == "ADDPRINTER")
        Info(IDS_ADMIN_PRINTER_ADDED);
    else if (request == "REMOVEPRINTER")
        Info(IDS_ADMIN_PRINTER_REMOVED);
}

int WriteReg(const STRING& fields)
{
    STRING bytes = ListField(fields, 2);
    char zero = 0;
    bytes.AppendBytes(&zero, 1);
    bool written = WriteBinary(fields, bytes);
    ReportWrite(written);
    return written ? 1 : 0;
}

int WriteHexReg(const STRING& fields)
{
    STRING bytes;
    bool written = DecodeHexPairs(ListField(fields, 2), bytes) && WriteBinary(fields, bytes);
    STRING quiet = ListField(fields, 3);
    if (quiet.AsInt() == 0)
        ReportWrite(written);
    return written ? 1 : 0;
}

void DeleteReg(const STRING& fields)
{
    REGISTRY key(HKEY_LOCAL_MACHINE, SCRIPTKEY, ListField(fields, 0).Text(), REGISTRY_CREATE);
    key.DeleteValue(ListField(fields, 1).Text());
}

int CopyFile(const STRING& fields)
{
    FILENAME source(ListField(fields, 0));
    FILENAME target(ListField(fields, 1));
    bool overwrite = ListField(fields, 2).AsInt() != 0;
    return source.Copy(target.Text(), overwrite) ? 1 : 0;
}

int DeleteFile(const STRING& fields) { return FILENAME(ListField(fields, 0)).Delete() ? 1 : 0; }

}  // namespace

bool RunScriptCommand(int& exitCode)
{
    if (TestArgValue("ADMIN")) {
        Admin(GetArgValue("ADMIN"));
        return true;
    }
    if (TestArgValue("WRITEREG")) {
        exitCode = WriteReg(GetArgValue("WRITEREG"));
        return true;
    }
    if (TestArgValue("WRITEHEXREG")) {
        exitCode = WriteHexReg(GetArgValue("WRITEHEXREG"));
        return true;
    }
    if (TestArgValue("DELETEREG")) {
        DeleteReg(GetArgValue("DELETEREG"));
        return true;
    }
    if (TestArgValue("COPYFILE")) {
        exitCode = CopyFile(GetArgValue("COPYFILE"));
        return true;
    }
    if (TestArgValue("DELETEFILE")) {
        exitCode = DeleteFile(GetArgValue("DELETEFILE"));
        return true;
    }
    return false;
}
