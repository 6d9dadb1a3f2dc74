' Opens a report document in the word processor, visibly, as a new document
' made from the file (the pupil's copy never changes), and writes the title
' at its first line when one is given: Word through its automation server,
' else LibreOffice through its own. Exits with 0 once the document shows.
'   cscript //NoLogo //B informe.vbs [--private FOLDER] [--title TITLE] FILE
Option Explicit

Dim title, path, i
title = ""
path = ""
i = 0
Do While i < WScript.Arguments.Count
  Select Case WScript.Arguments(i)
    Case "--private"
      i = i + 1
    Case "--title"
      i = i + 1
      If i < WScript.Arguments.Count Then title = WScript.Arguments(i)
    Case Else
      path = Replace(WScript.Arguments(i), "/", "\")
  End Select
  i = i + 1
Loop

If path = "" Then WScript.Quit 2
If OpenInWord(path, title) Then WScript.Quit 0
If OpenInLibreOffice(path, title) Then WScript.Quit 0
WScript.Quit 1

Function OpenInWord(path, title)
  Dim word, document
  OpenInWord = False
  On Error Resume Next
  Set word = CreateObject("Word.Application")
  If Err.Number <> 0 Then Exit Function
  Set document = word.Documents.Add(path)
  If Err.Number <> 0 Then
    ' A Word started for nothing is not left behind, hidden.
    If word.Documents.Count = 0 Then word.Quit 0
    Exit Function
  End If
  If title <> "" Then document.Range(0, 0).InsertBefore title
  word.Visible = True
  document.Activate
  OpenInWord = (Err.Number = 0)
End Function

Function OpenInLibreOffice(path, title)
  Dim manager, desktop, document, asTemplate, arguments(0), text
  OpenInLibreOffice = False
  On Error Resume Next
  Set manager = CreateObject("com.sun.star.ServiceManager")
  If Err.Number <> 0 Then Exit Function
  Set desktop = manager.createInstance("com.sun.star.frame.Desktop")
  Set asTemplate = manager.Bridge_GetStruct("com.sun.star.beans.PropertyValue")
  asTemplate.Name = "AsTemplate"
  asTemplate.Value = True
  Set arguments(0) = asTemplate
  Set document = desktop.loadComponentFromURL(FileUrl(path), "_blank", 0, arguments)
  If Err.Number <> 0 Then Exit Function
  If document Is Nothing Then Exit Function
  If title <> "" Then
    Set text = document.getText()
    text.insertString text.getStart(), title, False
  End If
  document.getCurrentController().getFrame().getContainerWindow().setVisible True
  OpenInLibreOffice = (Err.Number = 0)
End Function

' file:///C:/... with the characters a URL reserves escaped.
Function FileUrl(path)
  Dim url
  url = Replace(path, "%", "%25")
  url = Replace(url, "#", "%23")
  url = Replace(url, "?", "%3F")
  url = Replace(url, " ", "%20")
  FileUrl = "file:///" & Replace(url, "\", "/")
End Function
