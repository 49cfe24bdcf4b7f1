' A script host's view of the registered component: created by its ProgIDs and called by
' name, with the arguments a script has. Wine's cscript exits 0 even after a script error,
' so every step checks Err itself and the script quits with 1 on any surprise; the test
' stage also requires the summary line at the end.
Option Explicit

Dim passed, failed
passed = 0
failed = 0

Sub Expect(condition, what)
    If condition Then
        passed = passed + 1
    Else
        failed = failed + 1
        WScript.Echo "FAIL " & what
    End If
End Sub

Function Status(number)
    Status = "0x" & Right("0000000" & Hex(number), 8)
End Function

Dim converter, versioned, result
On Error Resume Next

Set converter = CreateObject("VeskAudiogramConverter.ConvertAction")
Expect Err.Number = 0, "CreateObject(""VeskAudiogramConverter.ConvertAction""): " & Status(Err.Number)
If Err.Number <> 0 Then WScript.Quit 1
Err.Clear

Set versioned = CreateObject("VeskAudiogramConverter.ConvertAction.1")
Expect Err.Number = 0, "CreateObject(""VeskAudiogramConverter.ConvertAction.1""): " & Status(Err.Number)
Err.Clear

converter.ValidateData Nothing
Expect Err.Number = &H8004051D, "ValidateData fails with 0x8004051D, got " & Status(Err.Number)
Err.Clear

' A script array holds VARIANTs, not bytes: the component refuses it as a blob.
result = "untouched"
converter.ConvertDataBlob 200, 100, Array(1, 2, 3), result
Expect Err.Number = &H8004051C, "ConvertDataBlob with a script array fails with 0x8004051C, got " & Status(Err.Number)
Expect IsEmpty(result), "ConvertDataBlob leaves the result empty on failure"
Err.Clear

converter.NoSuchMethod
Expect Err.Number <> 0, "an unknown method is refused"
Err.Clear

WScript.Echo "script: " & passed & " passed, " & failed & " failed"
If failed > 0 Then WScript.Quit 1
WScript.Quit 0
