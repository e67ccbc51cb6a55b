VERSION 5.00
Begin VB.Form Form1 
   Caption         =   "Inventory"
   ClientHeight    =   3195
   ClientWidth     =   4680
   Begin VB.CommandButton cmdSave 
      Caption         =   "Save"
      Height          =   375
   End
   Begin VB.ListBox lstItems 
      Height          =   2010
   End
End
Attribute VB_Name = "Form1"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = False
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False
' Form1: the inventory list, its totals and its file.
' Items are kept in memory and saved on request.
' Version 1.0, March 2000.
Option Explicit

' One line of the stock: name, count on hand and unit price.
Private Type StockItem
    Name As String
    Count As Long
    Price As Currency
End Type

' Limits and texts.
Private Const MAX_ITEMS = 100
Private Const TITLE = "Inventory"
Const VAT_RATE = 0.2
Public Const VERSION_TEXT = "1.0"

' The items in memory and how many of them are used.
Private mItems(1 To MAX_ITEMS) As StockItem
Private mCount As Long

' Set when the list changed since it was last saved.
Dim mDirty As Boolean

' Fills the list when the form opens.
Private Sub Form_Load()
    Dim i As Long
    Dim shown As Long
    ' Only items in stock are shown.
    For i = 1 To mCount
        If mItems(i).Count > 0 Then
            lstItems.AddItem mItems(i).Name & " " & CountText(mItems(i).Count): shown = shown + 1
        End If
    Next i
    ' The caption tells how many items are in stock.
    If shown > 0 Then Me.Caption = TITLE & " (" & shown & ")"
End Sub

' Saves every item, one line each.
'
' The file is written in one go and closed at once.
Private Sub cmdSave_Click()
    Dim i As Long
    Dim fileNo As Integer
    Dim path As String
    Dim attempt As Long
    ' Nothing to do when the list has not changed.
    If Not mDirty Then Exit Sub
    On Error GoTo SaveFailed
    ' The file sits next to the program; an older list is never overwritten.
    path = App.Path & "\stock.txt"
    Do While Len(Dir(path)) > 0
        attempt = attempt + 1: path = App.Path & "\stock" & attempt & ".txt"
    Loop

    fileNo = FreeFile
    Open path For Output As #fileNo
    For i = 1 To mCount
        Print #fileNo, mItems(i).Name; ","; mItems(i).Count
    Next i
    Close #fileNo: mDirty = False
    Exit Sub

SaveFailed:
    ' Close what was opened, then tell the user.
    If fileNo <> 0 Then Close #fileNo
    MsgBox "Cannot save " & path, vbExclamation, TITLE
End Sub

' The value of the whole stock, VAT included.
Public Function StockValue() As Currency
    Dim i As Long
    Dim value As Currency

    ' Items sold out add nothing.
    For i = 1 To mCount
        If mItems(i).Count > 0 Then value = value + mItems(i).Count * mItems(i).Price
    Next i
    If value > 0 Then StockValue = value * (1 + VAT_RATE)
End Function

' How an item's count reads on the screen.
REM Counts below zero cannot occur, but are shown as such.
Private Function CountText(ByVal n As Long) As String
    Dim text As String
    If n < 0 Then
        text = "?"
    ElseIf n = 0 Then
        text = "none"
    Else
        Rem a plain number otherwise
        text = CStr(n)
    End If
  	 
    CountText = text
End Function

' Drops the items that are sold out.
Private Sub Compact()
    Dim kept As Long
    Dim i As Long
    ' Walk the list and keep what is in stock.
    Do While i < mCount
        i = i + 1
        If mItems(i).Count > 0 Then
            kept = kept + 1
            mItems(kept) = mItems(i)
        End If
    Loop

	' Clear the slots that are no longer used.
    While i > kept
        mItems(i).Count = 0: i = i - 1
    Wend
    ' Remember the new count.
    If kept < mCount Then mCount = kept: mDirty = True
End Sub

