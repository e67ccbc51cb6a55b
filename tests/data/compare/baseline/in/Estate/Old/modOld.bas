Attribute VB_Name = "modOld"

Sub Main()
    Dim i As Integer
    For i = 1 To 3
        Debug.Print i
    Next
End Sub
