Attribute VB_Name = "modClient"
Option Explicit

Private Declare Function GetTickCount Lib "kernel32" () As Long

Public gServer As Object

Public Sub Main()
    Set gServer = CreateObject("InventoryServer.clsStock")
    frmMain.Show
End Sub

Public Function FetchItems() As Collection
    Dim Result As New Collection
    Dim Started As Long
    Dim Record As Variant
    Started = GetTickCount()
    For Each Record In gServer.List()
        Result.Add MakeItem(Record), CStr(Record(0))
    Next
    Debug.Print "Fetched in "; GetTickCount() - Started; " ms"
    Set FetchItems = Result
End Function

Private Function MakeItem(ByVal Record As Variant) As clsItem
    Set MakeItem = New clsItem
    MakeItem.Code = Record(0)
    MakeItem.Description = Record(1)
    MakeItem.Quantity = Record(2)
End Function
