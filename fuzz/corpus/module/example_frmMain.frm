VERSION 5.00
Object = "{831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.0#0"; "MSCOMCTL.OCX"
Begin VB.Form frmMain 
   Caption         =   "Inventory"
   ClientHeight    =   5175
   ClientLeft      =   60
   ClientTop       =   345
   ClientWidth     =   7680
   LinkTopic       =   "Form1"
   ScaleHeight     =   5175
   ScaleWidth      =   7680
   StartUpPosition =   3  'Windows Default
   Begin VB.CommandButton cmdEdit 
      Caption         =   "&Edit..."
      Height          =   375
      Left            =   6240
      TabIndex        =   2
      Top             =   4680
      Width           =   1335
   End
   Begin VB.CommandButton cmdRefresh 
      Caption         =   "&Refresh"
      Height          =   375
      Left            =   4800
      TabIndex        =   1
      Top             =   4680
      Width           =   1335
   End
   Begin MSComctlLib.ListView lvwStock 
      Height          =   4455
      Left            =   120
      TabIndex        =   0
      Top             =   120
      Width           =   7455
      _ExtentX        =   13150
      _ExtentY        =   7858
      View            =   3
      LabelEdit       =   1
      FullRowSelect   =   -1  'True
      _Version        =   393217
      BeginProperty ColumnHeader(1) {BDD1F052-858B-11D1-B16A-00C0F0283628} 
         Text            =   "Item"
         Object.Width           =   4410
      EndProperty
   End
End
Attribute VB_Name = "frmMain"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = False
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False
Option Explicit

' The stock list; double-click or Edit opens the item form.
Private mItems As Collection

Private Sub Form_Load()
    Caption = APP_TITLE & " - Stock"
    LoadStock
End Sub

Private Sub cmdRefresh_Click()
    LoadStock
End Sub

Private Sub cmdEdit_Click()
    Dim Picked As clsItem
    If lvwStock.SelectedItem Is Nothing Then Exit Sub
    Set Picked = mItems(lvwStock.SelectedItem.Key)
    frmItem.Edit Picked
End Sub

Private Sub lvwStock_DblClick()
    cmdEdit_Click
End Sub

Private Sub LoadStock()
    Dim Item As clsItem
    Dim Row As ListItem
    On Error GoTo LoadFailed
    Set mItems = FetchItems()
    lvwStock.ListItems.Clear
    For Each Item In mItems
        Set Row = lvwStock.ListItems.Add(, Item.Code, Item.Description)
    Next
    Exit Sub
LoadFailed:
    ShowError "Loading the stock list", Err.Description
End Sub
